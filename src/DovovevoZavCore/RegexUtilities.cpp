#include "DovovevoZavCore/RegexUtilities.h"

#include <memory>
#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace dovovevozav {

namespace {

std::uint32_t icuFlags(std::uint32_t options) {
    std::uint32_t flags = 0;
    if (options & RegexOption::caseInsensitive) {
        flags |= UREGEX_CASE_INSENSITIVE;
    }
    if (options & RegexOption::allowCommentsAndWhitespace) {
        flags |= UREGEX_COMMENTS;
    }
    if (options & RegexOption::dotMatchesLineSeparators) {
        flags |= UREGEX_DOTALL;
    }
    if (options & RegexOption::anchorsMatchLines) {
        flags |= UREGEX_MULTILINE;
    }
    return flags;
}

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

/// A matcher over the text, or null when the pattern does not compile. The matcher keeps a
/// reference to the subject, so the caller owns both.
std::unique_ptr<icu::RegexMatcher>
makeMatcher(std::string_view pattern, const icu::UnicodeString& subject, std::uint32_t options) {
    if (pattern.size() > INT32_MAX) {
        return nullptr;
    }
    UErrorCode status = U_ZERO_ERROR;
    auto matcher =
        std::make_unique<icu::RegexMatcher>(unicode(pattern), subject, icuFlags(options), status);
    if (U_FAILURE(status)) {
        return nullptr;
    }
    matcher->useTransparentBounds(true);
    return matcher;
}

bool textFits(std::string_view text) {
    return text.size() <= INT32_MAX;
}

} // namespace

std::vector<std::optional<std::string>>
regexCaptureGroups(std::string_view text, std::string_view pattern, std::uint32_t options) {
    std::vector<std::optional<std::string>> groups;
    if (!textFits(text)) {
        return groups;
    }
    const icu::UnicodeString subject = unicode(text);
    auto matcher = makeMatcher(pattern, subject, options);
    if (!matcher) {
        return groups;
    }
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status) && U_SUCCESS(status)) {
        const std::int32_t count = matcher->groupCount();
        for (std::int32_t group = 0; group <= count; ++group) {
            const std::int32_t start = matcher->start(group, status);
            if (U_FAILURE(status) || start < 0) {
                status = U_ZERO_ERROR;
                groups.emplace_back(std::nullopt);
                continue;
            }
            groups.emplace_back(utf8(matcher->group(group, status)));
        }
    }
    return groups;
}

std::vector<std::string> regexMatches(std::string_view text, std::string_view pattern,
                                      std::uint32_t options) {
    std::vector<std::string> matches;
    if (!textFits(text)) {
        return matches;
    }
    const icu::UnicodeString subject = unicode(text);
    auto matcher = makeMatcher(pattern, subject, options);
    if (!matcher) {
        return matches;
    }
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status) && U_SUCCESS(status)) {
        matches.push_back(utf8(matcher->group(status)));
    }
    return matches;
}

std::optional<std::string> regexReplacing(std::string_view text, std::string_view pattern,
                                          std::string_view replacementTemplate,
                                          std::uint32_t options) {
    if (!textFits(text) || !textFits(replacementTemplate)) {
        return std::nullopt;
    }
    const icu::UnicodeString subject = unicode(text);
    auto matcher = makeMatcher(pattern, subject, options);
    if (!matcher) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString result = matcher->replaceAll(unicode(replacementTemplate), status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return utf8(result);
}

} // namespace dovovevozav
