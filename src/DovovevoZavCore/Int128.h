#pragma once

#include <cstdint>
#include <string>

namespace dovovevozav {

/// Decimal text of an unsigned 128-bit integer.
inline std::string int128Text(unsigned __int128 value) {
    if (value == 0) {
        return "0";
    }
    std::string digits;
    while (value != 0) {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    }
    return digits;
}

/// Decimal text of a signed 128-bit integer.
inline std::string int128Text(__int128 value) {
    if (value < 0) {
        // Negating through unsigned arithmetic keeps the smallest value defined.
        std::string text = "-";
        return text.append(int128Text(static_cast<unsigned __int128>(0) -
                                      static_cast<unsigned __int128>(value)));
    }
    return int128Text(static_cast<unsigned __int128>(value));
}

/// Magnitude of a signed 128-bit integer as unsigned (defined for the smallest value).
inline unsigned __int128 magnitude128(__int128 value) {
    const auto bits = static_cast<unsigned __int128>(value);
    return value < 0 ? static_cast<unsigned __int128>(0) - bits : bits;
}

/// Greatest common divisor by Euclid's remainder algorithm; gcd(0, 0) is 0.
inline unsigned __int128 gcd128(unsigned __int128 a, unsigned __int128 b) {
    while (b != 0) {
        const unsigned __int128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

/// True when the value lies within the signed 64-bit range.
inline bool fitsInt64(__int128 value) {
    return value >= INT64_MIN && value <= INT64_MAX;
}

} // namespace dovovevozav
