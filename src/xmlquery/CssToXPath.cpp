#include "xmlquery/CssToXPath.h"

#include <memory>
#include <optional>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <vector>

namespace marrowvale {
namespace {

/// The three selector patterns, compiled once for the program.
struct SelectorPatterns {
    std::unique_ptr<icu::RegexPattern> id;
    std::unique_ptr<icu::RegexPattern> className;
    std::unique_ptr<icu::RegexPattern> attribute;
};

std::unique_ptr<icu::RegexPattern> compilePattern(const char* pattern) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(pattern), 0, parseError, status));
    return U_SUCCESS(status) ? std::move(compiled) : nullptr;
}

const SelectorPatterns& patterns() {
    // The id is word characters, "-" and "_" (the hyphen escaped so that it is no range). A class
    // ends at the next ".", "#" or "[", so that "p.note[href]" is the class "note" plus an
    // attribute test rather than the class "note[href]".
    static const SelectorPatterns compiled{
        compilePattern(R"(#([\w\-_]+))"),
        compilePattern(R"(\.([^.#\[]+))"),
        compilePattern(R"(\[([^\[\]]+)\])"),
    };
    return compiled;
}

bool isSelectorSpace(UChar32 c) {
    return c == u'\t' || u_charType(c) == U_SPACE_SEPARATOR;
}

/// The selector split at space separators and tabs; runs of them give no empty tokens.
std::vector<icu::UnicodeString> tokensOf(const icu::UnicodeString& selector) {
    std::vector<icu::UnicodeString> tokens;
    icu::UnicodeString current;
    for (int32_t i = 0; i < selector.length(); i = selector.moveIndex32(i, 1)) {
        const UChar32 c = selector.char32At(i);
        if (isSelectorSpace(c)) {
            if (!current.isEmpty()) {
                tokens.push_back(current);
                current.remove();
            }
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty()) {
        tokens.push_back(current);
    }
    return tokens;
}

/// Appends prefix, capture group 1 and suffix for the first match (or every match) of pattern.
void appendMatches(const icu::RegexPattern* pattern, const icu::UnicodeString& token,
                   bool everyMatch, const char16_t* prefix, const char16_t* suffix,
                   icu::UnicodeString& step) {
    if (pattern == nullptr) {
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(token, status));
    if (U_FAILURE(status)) {
        return;
    }
    while (matcher->find(status) && U_SUCCESS(status)) {
        step.append(prefix).append(matcher->group(1, status)).append(suffix);
        if (!everyMatch) {
            break;
        }
    }
}

/// A compound selector such as "p.note#main[href]" as an XPath step without axis.
icu::UnicodeString compoundStep(const icu::UnicodeString& token) {
    int32_t special = -1;
    for (int32_t i = 0; i < token.length(); ++i) {
        const char16_t c = token.charAt(i);
        if (c == u'#' || c == u'.' || c == u'[' || c == u']') {
            special = i;
            break;
        }
    }
    if (special < 0) {
        return token;
    }
    icu::UnicodeString step =
        special == 0 ? icu::UnicodeString(u"*") : token.tempSubString(0, special);
    const SelectorPatterns& compiled = patterns();
    appendMatches(compiled.id.get(), token, false, u"[@id = '", u"']", step);
    appendMatches(compiled.className.get(), token, true,
                  u"[contains(concat(' ',normalize-space(@class),' '),' ", u" ')]", step);
    appendMatches(compiled.attribute.get(), token, true, u"[@", u"]", step);
    return step;
}

/// One selector (no commas) as an XPath path; nothing when it has no tokens.
std::optional<icu::UnicodeString> selectorPath(const icu::UnicodeString& selector) {
    const std::vector<icu::UnicodeString> tokens = tokensOf(selector);
    if (tokens.empty()) {
        return std::nullopt;
    }
    std::vector<icu::UnicodeString> parts{u"./"};
    std::optional<icu::UnicodeString> axis;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const icu::UnicodeString& token = tokens[i];
        if (token == u"*" && i != 0 && !axis) {
            parts.emplace_back(u"/*");
        } else if (token == u">") {
            axis = icu::UnicodeString();
        } else if (token == u"+") {
            axis = icu::UnicodeString(u"following-sibling::*[1]/self::");
        } else if (token == u"~") {
            axis = icu::UnicodeString(u"following-sibling::");
        } else {
            if (!axis && i != 0) {
                axis = icu::UnicodeString(u"descendant::");
            }
            icu::UnicodeString step = compoundStep(token);
            if (axis) {
                step.insert(0, *axis);
                axis.reset();
            }
            parts.push_back(step);
        }
    }
    icu::UnicodeString path;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i != 0) {
            path.append(u'/');
        }
        path.append(parts[i]);
    }
    return path;
}

} // namespace

std::string cssToXPath(std::string_view selectors) {
    if (selectors.size() > INT32_MAX) {
        return {};
    }
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(selectors.data(), static_cast<int32_t>(selectors.size())));
    icu::UnicodeString expression;
    int32_t start = 0;
    while (start <= text.length()) {
        int32_t comma = text.indexOf(u',', start);
        if (comma < 0) {
            comma = text.length();
        }
        if (comma > start) {
            if (auto path = selectorPath(text.tempSubString(start, comma - start))) {
                if (!expression.isEmpty()) {
                    expression.append(u" | ");
                }
                expression.append(*path);
            }
        }
        start = comma + 1;
    }
    std::string result;
    expression.toUTF8String(result);
    return result;
}

} // namespace marrowvale
