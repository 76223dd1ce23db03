#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace dovovevozav {

namespace {

// Days and the separator after them, the point and the subframes are optional and lazy.
constexpr std::string_view timecodePatternText =
    R"(^(\d+)??[\:;\s]??(\d+)[\:;](\d+)[\:;](\d+)[\:\;](\d+)[\.]??(\d+)??$)";

// The lazy groups backtrack over every split of a long digit run, so a hostile text could
// take very long to reject. Real timecode text is far shorter than this.
constexpr std::size_t maximumTextLength = 128;

// Compiled once; a compiled pattern is immutable and serves matchers on any thread.
const icu::RegexPattern* timecodePattern() {
    static const std::unique_ptr<icu::RegexPattern> pattern = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError{};
        std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(
            icu::UnicodeString::fromUTF8(timecodePatternText), parseError, status));
        return U_SUCCESS(status) ? std::move(compiled) : nullptr;
    }();
    return pattern.get();
}

// A group's digits as a 64-bit integer. Digits other than ASCII 0-9 (which \d lets through)
// and values beyond 64 bits give nothing.
std::optional<std::int64_t> groupValue(const icu::UnicodeString& group) {
    if (group.isEmpty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (int32_t i = 0; i < group.length(); ++i) {
        const char16_t unit = group.charAt(i);
        if (unit < u'0' || unit > u'9') {
            return std::nullopt;
        }
        const int digit = unit - u'0';
        if (value > (INT64_MAX - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

// printf's "%0<width>ld": at least `width` characters, zero-padded after any minus sign.
void appendPadded(std::string& text, std::int64_t value, int width) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    const std::size_t signWidth = value < 0 ? 1 : 0;
    if (value < 0) {
        text += '-';
    }
    const auto wanted = static_cast<std::size_t>(width);
    if (digits.size() + signWidth < wanted) {
        text.append(wanted - digits.size() - signWidth, '0');
    }
    text += digits;
}

} // namespace

std::string Timecode::formattedString(StringFormat format) const {
    std::string text;
    if (format.alwaysShowDays() || components_.days != 0) {
        text += std::to_string(components_.days);
        text += ' ';
    }
    appendPadded(text, components_.hours, 2);
    text += ':';
    appendPadded(text, components_.minutes, 2);
    text += ':';
    appendPadded(text, components_.seconds, 2);
    text += properties_.frameRate.isDropFrame() ? ';' : ':';
    appendPadded(text, components_.frames, properties_.frameRate.frameDigitCount());
    if (format.showSubFrames()) {
        text += '.';
        appendPadded(text, components_.subFrames, properties_.subFramesBase.digitCount());
    }
    if (format.filenameCompatible()) {
        std::replace(text.begin(), text.end(), ':', '-');
        std::replace(text.begin(), text.end(), ';', '-');
        std::replace(text.begin(), text.end(), ' ', '-');
    }
    return text;
}

std::string Timecode::rateDescription() const {
    return formattedString({StringFormatOption::showSubFrames}) + " @ " +
           std::string(properties_.frameRate.longName());
}

Timecode::Components Timecode::parseComponents(std::string_view text) {
    const icu::RegexPattern* pattern = timecodePattern();
    if (pattern == nullptr || text.size() > maximumTextLength) {
        throw StringParseError();
    }
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(text);
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(input, status));
    if (U_FAILURE(status)) {
        throw StringParseError();
    }
    matcher->useTransparentBounds(true);
    if (!matcher->find(status) || U_FAILURE(status)) {
        throw StringParseError();
    }
    std::array<std::int64_t, 6> values{};
    int present = 0;
    for (int group = 1; group <= 6; ++group) {
        if (matcher->start(group, status) < 0 || U_FAILURE(status)) {
            continue; // the group took no part in the match
        }
        const auto value = groupValue(matcher->group(group, status));
        if (!value || U_FAILURE(status)) {
            // A number that does not fit is no timecode; dropping it would shift the others.
            throw StringParseError();
        }
        values[static_cast<std::size_t>(group - 1)] = *value;
        ++present;
    }
    if (present < 4 || present > 6) {
        throw StringParseError();
    }
    return Components{values[0], values[1], values[2], values[3], values[4], values[5]};
}

void FormattedTimecodeSourceValue::apply(Timecode& target) const {
    detail::storeCheckedComponents(target, Timecode::parseComponents(text_));
}

void FormattedTimecodeSourceValue::apply(Timecode& target, TimecodeValidationRule rule) const {
    detail::storeComponentsByRule(target, Timecode::parseComponents(text_), rule);
}

} // namespace dovovevozav
