#include "xmlquery/DateParser.h"

#include <cmath>
#include <cstdint>
#include <unicode/locid.h>
#include <unicode/parsepos.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

namespace marrowvale {

DateParser::DateParser() : DateParser("yyyy-MM-dd'T'HH:mm:ssZ", "en_US_POSIX") {}

DateParser::DateParser(const std::string& pattern, const std::string& localeName) {
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(
        icu::UnicodeString::fromUTF8(pattern), icu::Locale::createFromName(localeName.c_str()),
        status);
    if (U_SUCCESS(status)) {
        format->setLenient(false);
        format_ = std::move(format);
    }
}

DateParser::~DateParser() = default;

std::optional<DateParser::Instant> DateParser::parse(std::string_view text) const {
    if (!format_ || text.empty() || text.size() > INT32_MAX) {
        return std::nullopt;
    }
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    icu::ParsePosition position(0);
    const UDate milliseconds = format_->parse(unicode, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != unicode.length() ||
        !std::isfinite(milliseconds) || std::fabs(milliseconds) > 9.0e18) {
        return std::nullopt;
    }
    return Instant(std::chrono::milliseconds(static_cast<std::int64_t>(milliseconds)));
}

} // namespace marrowvale
