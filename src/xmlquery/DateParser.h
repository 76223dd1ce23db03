#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class SimpleDateFormat;
U_NAMESPACE_END

namespace marrowvale {

/// Reads dates written in a fixed pattern (ICU/Unicode date pattern syntax).
class DateParser {
public:
    /// A point in time, to the millisecond.
    using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

    /// The parser elements use by default: locale "en_US_POSIX", pattern
    /// "yyyy-MM-dd'T'HH:mm:ssZ" (an ISO 8601 time with a numeric zone offset).
    DateParser();

    /// A parser for the given pattern in the named locale.
    DateParser(const std::string& pattern, const std::string& localeName);

    ~DateParser();
    DateParser(const DateParser&) = delete;
    DateParser& operator=(const DateParser&) = delete;

    /// The instant the whole text spells; nothing when it does not follow the pattern.
    std::optional<Instant> parse(std::string_view text) const;

private:
    std::unique_ptr<icu::SimpleDateFormat> format_;
};

} // namespace marrowvale
