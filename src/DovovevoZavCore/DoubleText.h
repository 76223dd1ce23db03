#pragma once

#include <string>

namespace dovovevozav {

/// A double as text with the fewest digits that read back as the same value, written with
/// ".0" on whole values ("1.0", "29.97", "-0.5"). Magnitudes below 1e-4 or from 2^53 up use
/// exponent form ("1e-05", "1.5e+20"); NaN and infinities give "nan", "inf" and "-inf".
std::string doubleText(double value);

} // namespace dovovevozav
