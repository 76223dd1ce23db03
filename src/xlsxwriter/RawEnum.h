#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>

namespace marrowvale {

/// The case of an enumeration whose raw value is exactly `raw`, or none: the spreadsheet layer's
/// enumerations are made from raw values by exact match only.
template <typename E, std::size_t N>
constexpr std::optional<E> enumFromRaw(const std::array<E, N>& cases,
                                       std::underlying_type_t<E> raw) noexcept {
    for (const E value : cases) {
        if (static_cast<std::underlying_type_t<E>>(value) == raw) {
            return value;
        }
    }
    return std::nullopt;
}

/// The raw value of an enumeration case.
template <typename E>
constexpr std::underlying_type_t<E> rawValue(E value) noexcept {
    return static_cast<std::underlying_type_t<E>>(value);
}

} // namespace marrowvale
