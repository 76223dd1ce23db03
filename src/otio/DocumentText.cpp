#include "otio/DocumentText.h"

#include <climits>
#include <optional>
#include <unicode/ucnv.h>

namespace marrowvale {

namespace {

struct WideEncoding {
    const char* name;
    std::size_t byteOrderMark; ///< bytes of the mark to skip
};

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

std::optional<WideEncoding> wideEncoding(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (startsWith(bytes, "\x00\x00\xFE\xFF"sv)) {
        return WideEncoding{"UTF-32BE", 4};
    }
    if (startsWith(bytes, "\xFF\xFE\x00\x00"sv)) {
        return WideEncoding{"UTF-32LE", 4};
    }
    if (startsWith(bytes, "\xFE\xFF"sv)) {
        return WideEncoding{"UTF-16BE", 2};
    }
    if (startsWith(bytes, "\xFF\xFE"sv)) {
        return WideEncoding{"UTF-16LE", 2};
    }
    if (bytes.size() < 4) {
        return std::nullopt;
    }
    const bool zero[4] = {bytes[0] == 0, bytes[1] == 0, bytes[2] == 0, bytes[3] == 0};
    if (zero[0] && zero[1] && zero[2] && !zero[3]) {
        return WideEncoding{"UTF-32BE", 0};
    }
    if (!zero[0] && zero[1] && zero[2] && zero[3]) {
        return WideEncoding{"UTF-32LE", 0};
    }
    if (zero[0] && !zero[1] && zero[2] && !zero[3]) {
        return WideEncoding{"UTF-16BE", 0};
    }
    if (!zero[0] && zero[1] && !zero[2] && zero[3]) {
        return WideEncoding{"UTF-16LE", 0};
    }
    return std::nullopt;
}

} // namespace

std::string utf8DocumentText(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        return std::string(bytes.substr(3));
    }
    const std::optional<WideEncoding> encoding = wideEncoding(bytes);
    if (!encoding || bytes.size() > INT_MAX / 2) {
        return std::string(bytes);
    }
    const std::string_view source = bytes.substr(encoding->byteOrderMark);
    // Each UTF-16 unit gives at most three UTF-8 bytes for its two; UTF-32 gives fewer.
    std::string text(source.size() * 3 / 2 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_convert("UTF-8", encoding->name, text.data(), static_cast<int32_t>(text.size()),
                     source.data(), static_cast<int32_t>(source.size()), &status);
    if (U_FAILURE(status)) {
        return std::string(bytes);
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace marrowvale
