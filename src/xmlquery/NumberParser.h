#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class NumberFormat;
U_NAMESPACE_END

namespace marrowvale {

/// Reads decimal numbers written the way a locale writes them ("1,234.5" in English).
class NumberParser {
public:
    /// A parser for the user's current locale.
    NumberParser();

    /// A parser for the named locale, such as "en_US" or "de_DE".
    explicit NumberParser(const std::string& localeName);

    ~NumberParser();
    NumberParser(const NumberParser&) = delete;
    NumberParser& operator=(const NumberParser&) = delete;

    /// The number the whole text spells; nothing when the text is not (only) a number.
    std::optional<double> parse(std::string_view text) const;

private:
    std::unique_ptr<icu::NumberFormat> format_;
};

} // namespace marrowvale
