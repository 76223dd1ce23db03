#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Small text helpers shared by the debug texts of the model classes; not for use elsewhere.
namespace marrowvale::detail {

/// The shortest decimal text that reads back as the same double, always with a fractional part
/// ("0.0", "250.0", "23.976"); exponent form ("1e-05", "1e+17") only for very small or very large
/// magnitudes; "nan", "inf" and "-inf" for the non-finite values.
std::string doubleText(double value);

/// "true" or "false".
std::string_view boolText(bool value) noexcept;

} // namespace marrowvale::detail
