#include "otio/schema/DocumentParser.h"

#include "otio/schema/DecodeError.h"

#include <algorithm>
#include <array>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marrowvale::otio::coding {

namespace {

using Json = nlohmann::json;

// NaN has no JSON form, so it is rewritten to this number (which no writer emits: a zero with a
// four-digit negative exponent) and read back as NaN.
constexpr std::string_view nanStandIn = "-0.0e-7777";

struct NumberWord {
    std::string_view word;
    std::string_view number;
};

// Longer words first, so that "Infinity" is not taken for "Inf" followed by "inity".
constexpr std::array<NumberWord, 5> numberWords{{
    {"-Infinity", "-999999999"},
    {"-Inf", "-999999999"},
    {"Infinity", "999999999"},
    {"Inf", "999999999"},
    {"NaN", nanStandIn},
}};

bool isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

// The text with the number words replaced where they stand outside strings.
struct RewrittenText {
    std::string text;
    /// Where the text grew: (offset in the rewritten text after the replacement, growth).
    std::vector<std::pair<std::size_t, std::size_t>> growth;
};

std::optional<RewrittenText> rewriteNumberWords(std::string_view text) {
    // Find the words first, so that the new text is allocated once at its final size.
    std::vector<std::pair<std::size_t, const NumberWord*>> found;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            // Skip the string, escapes included; an unterminated one runs to the end.
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != '"') {
                end += text[end] == '\\' ? 2 : 1;
            }
            i = std::min(end + 1, text.size());
            continue;
        }
        if ((c == '-' || c == 'I' || c == 'N') && (i == 0 || !isWordCharacter(text[i - 1]))) {
            const auto match = std::find_if(
                numberWords.begin(), numberWords.end(), [&](const NumberWord& candidate) {
                    const std::size_t end = i + candidate.word.size();
                    return text.substr(i, candidate.word.size()) == candidate.word &&
                           (end == text.size() || !isWordCharacter(text[end]));
                });
            if (match != numberWords.end()) {
                found.emplace_back(i, &*match);
                i += match->word.size();
                continue;
            }
        }
        ++i;
    }
    if (found.empty()) {
        return std::nullopt;
    }
    std::size_t size = text.size();
    for (const auto& [at, word] : found) {
        size += word->number.size() - word->word.size();
    }
    RewrittenText rewritten;
    rewritten.text.reserve(size);
    std::size_t copied = 0;
    for (const auto& [at, word] : found) {
        rewritten.text.append(text.substr(copied, at - copied));
        rewritten.text.append(word->number);
        rewritten.growth.emplace_back(rewritten.text.size(),
                                      word->number.size() - word->word.size());
        copied = at + word->word.size();
    }
    rewritten.text.append(text.substr(copied));
    return rewritten;
}

JsonTree::Node nodeOf(JsonType type) {
    JsonTree::Node node;
    node.type = type;
    return node;
}

// Builds the tree from the parser's events, refusing nesting beyond a limit so that the
// records decoded from it cannot exhaust the stack.
class TreeBuilder {
public:
    TreeBuilder(JsonTree& tree, std::size_t expectedBytes, std::size_t maximumDepth)
        : nodes_(tree.nodes()), texts_(tree.texts()), maximumDepth_(maximumDepth) {
        // About one node per 32 bytes and a quarter of the bytes in texts, as in the indented
        // files editors write; the lists grow beyond that when they must.
        nodes_.reserve(expectedBytes / 32 + 1);
        texts_.reserve(expectedBytes / 4);
    }

    bool null() { return add(JsonTree::Node{}); }
    bool boolean(bool value) {
        JsonTree::Node node = nodeOf(JsonType::boolean);
        node.flag = value;
        return add(node);
    }
    bool number_integer(std::int64_t value) {
        JsonTree::Node node = nodeOf(JsonType::integer);
        node.integer = value;
        return add(node);
    }
    bool number_unsigned(std::uint64_t value) {
        // The parser gives every integer without a sign as unsigned.
        if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return number_integer(static_cast<std::int64_t>(value));
        }
        JsonTree::Node node = nodeOf(JsonType::unsignedInteger);
        node.unsignedInteger = value;
        return add(node);
    }
    bool number_float(double value, const std::string& text) {
        JsonTree::Node node = nodeOf(JsonType::real);
        node.real = text == nanStandIn ? std::numeric_limits<double>::quiet_NaN() : value;
        return add(node);
    }
    bool string(std::string& value) { return add(textNode(value)); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(JsonType::object); }
    bool key(std::string& key) {
        ++nodes_[open_.back()].count;
        nodes_.push_back(textNode(key));
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(JsonType::array); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) {
        errorPosition_ = position;
        errorText_ = error.what();
        return false;
    }

    bool tooDeep() const { return tooDeep_; }
    /// Where the parser stopped (1 for the first byte) and its message.
    std::size_t errorPosition() const { return errorPosition_; }
    const std::string& errorText() const { return errorText_; }

private:
    // Texts are shorter than the document, so their offsets fit 32 bits.
    JsonTree::Node textNode(const std::string& text) {
        JsonTree::Node node = nodeOf(JsonType::string);
        node.extent = static_cast<std::uint32_t>(texts_.size());
        node.count = text.size();
        texts_.append(text);
        return node;
    }
    // A value: an element of the open array (counted there) or the value of the last key.
    bool add(const JsonTree::Node& node) {
        if (!open_.empty() && nodes_[open_.back()].type == JsonType::array) {
            ++nodes_[open_.back()].count;
        }
        nodes_.push_back(node);
        return true;
    }
    bool open(JsonType type) {
        if (open_.size() >= maximumDepth_) {
            tooDeep_ = true;
            return false;
        }
        add(nodeOf(type));
        open_.push_back(nodes_.size() - 1);
        return true;
    }
    bool close() {
        nodes_[open_.back()].extent = static_cast<std::uint32_t>(nodes_.size());
        open_.pop_back();
        return true;
    }

    std::vector<JsonTree::Node>& nodes_;
    std::string& texts_;
    std::size_t maximumDepth_;
    std::vector<std::size_t> open_;
    bool tooDeep_ = false;
    std::size_t errorPosition_ = 0;
    std::string errorText_;
};

[[noreturn]] void throwCorrupted(std::string reason) {
    throw DecodeError(DecodeError::Kind::dataCorrupted, std::move(reason));
}

// "line L, column C" of the byte at a 1-based position.
std::string placeOf(std::string_view text, std::size_t position) {
    const std::size_t offset = std::min(position == 0 ? 0 : position - 1, text.size());
    const std::string_view before = text.substr(0, offset);
    const std::size_t line = 1 + std::count(before.begin(), before.end(), '\n');
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column =
        lineStart == std::string_view::npos ? offset + 1 : offset - lineStart;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser ends some reasons with the text it choked on in single quotes ("...; last read:
// 'tru'", "number overflow parsing '1e400'"), which can be as long as the document: a quoted
// text is cut to this many bytes.
constexpr std::size_t maximumQuotedLength = 80;

// `reason` with the quoted text at its end cut short, at a character boundary.
std::string withShortQuote(std::string reason) {
    if (reason.size() < 2 || reason.back() != '\'') {
        return reason;
    }
    for (const std::string_view opening :
         {std::string_view("last read: '"), std::string_view("parsing '")}) {
        const std::size_t found = reason.find(opening);
        if (found == std::string::npos) {
            continue;
        }
        const std::size_t start = found + opening.size();
        const std::size_t end = reason.size() - 1;
        if (end <= start || end - start <= maximumQuotedLength) {
            return reason;
        }
        std::size_t cut = start + maximumQuotedLength;
        while (cut > start && (static_cast<unsigned char>(reason[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        return reason.substr(0, cut) + "\u2026'";
    }
    return reason;
}

// The parser's reason without its exception prefix ("[json.exception.parse_error.101] ") and
// its own position ("parse error at line 1, column 5: "), its quoted text cut short.
std::string parserReason(const std::string& message) {
    std::string reason = message;
    if (reason.starts_with("[json.exception.")) {
        const std::size_t end = reason.find("] ");
        reason.erase(0, end == std::string::npos ? 0 : end + 2);
    }
    if (reason.starts_with("parse error")) {
        const std::size_t colon = reason.find(": ");
        reason.erase(0, colon == std::string::npos ? 0 : colon + 2);
    }
    return withShortQuote(std::move(reason));
}

[[noreturn]] void throwParseError(std::string_view original, const TreeBuilder& builder,
                                  const RewrittenText* rewritten) {
    std::size_t position = builder.errorPosition();
    if (rewritten != nullptr) {
        // Back to the position in the file as written.
        std::size_t grown = 0;
        for (const auto& [offset, growth] : rewritten->growth) {
            if (offset < position) {
                grown += growth;
            }
        }
        position -= std::min(grown, position);
    }
    const std::string reason = parserReason(builder.errorText());
    if (reason.find("ill-formed UTF-8") != std::string::npos) {
        throwCorrupted("The document is not UTF-8 text: an ill-formed byte sequence at " +
                       placeOf(original, position));
    }
    if (reason.find("unexpected end of input") != std::string::npos &&
        original.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        throwCorrupted("The document is empty");
    }
    throwCorrupted("The document is not valid JSON at " + placeOf(original, position) + ": " +
                   reason);
}

// Whether the bytes begin like UTF-16 or UTF-32 text: a byte-order mark or a zero byte.
bool looksLikeWideText(std::string_view bytes) {
    if (bytes.starts_with("\xFE\xFF") || bytes.starts_with("\xFF\xFE")) {
        return true;
    }
    return bytes.substr(0, 4).find('\0') != std::string_view::npos;
}

bool parseInto(std::string_view text, TreeBuilder& builder) {
    return Json::sax_parse(text.data(), text.data() + text.size(), &builder,
                           Json::input_format_t::json, true, false);
}

} // namespace

JsonTree parseDocument(std::string_view bytes, std::size_t maximumDepth) {
    // Reading number words makes the text at most 3.4 times as long ("NaN" becomes ten
    // characters), and positions must still fit 32 bits.
    if (bytes.size() > JsonTree::maximumBytes / 4) {
        throwCorrupted("The document is larger than 1 GB");
    }
    if (looksLikeWideText(bytes)) {
        throwCorrupted("The document is not UTF-8 text (it looks like UTF-16 or UTF-32)");
    }
    JsonTree tree;
    TreeBuilder builder(tree, bytes.size(), maximumDepth);
    if (parseInto(bytes, builder)) {
        return tree;
    }
    if (builder.tooDeep()) {
        throwCorrupted("The document nests objects and lists deeper than " +
                       std::to_string(maximumDepth) + " levels");
    }
    // The words for infinite and undefined numbers are not JSON: read them only when the plain
    // parse fails, so that ordinary files are not copied.
    const std::optional<RewrittenText> rewritten = rewriteNumberWords(bytes);
    if (!rewritten) {
        throwParseError(bytes, builder, nullptr);
    }
    tree = JsonTree();
    TreeBuilder retry(tree, rewritten->text.size(), maximumDepth);
    if (parseInto(rewritten->text, retry)) {
        return tree;
    }
    if (retry.tooDeep()) {
        throwCorrupted("The document nests objects and lists deeper than " +
                       std::to_string(maximumDepth) + " levels");
    }
    throwParseError(bytes, retry, &*rewritten);
}

} // namespace marrowvale::otio::coding
