#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dovovevozav {

/// The whole text as a decimal floating-point number, with an optional sign; "nan" and "inf"
/// included. White space or any other character makes it fail.
std::optional<double> numberFromText(std::string_view text);

/// As numberFromText(), but only finite values: frame positions and lengths must stay numbers
/// that sort and convert.
std::optional<double> finiteNumberFromText(std::string_view text);

/// The whole text as a decimal integer with an optional "+" or "-"; fails for anything else,
/// for an empty text and beyond the 64-bit range (parseDecimalInt64() that also takes a "+").
std::optional<std::int64_t> integerFromText(std::string_view text);

} // namespace dovovevozav
