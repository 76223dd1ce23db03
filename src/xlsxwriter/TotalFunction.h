#pragma once

#include "xlsxwriter/RawEnum.h"

#include <array>
#include <cstdint>
#include <optional>

namespace marrowvale {

/// The summary function of a table column's totals row.
enum class TotalFunction : std::uint8_t {
    none = 0,
    average = 101,
    nums = 102,
    count = 103,
    max = 104,
    min = 105,
    std_dev = 107,
    sum = 109,
};

inline constexpr std::array<TotalFunction, 8> allTotalFunctions = {
    TotalFunction::none, TotalFunction::average, TotalFunction::nums,    TotalFunction::count,
    TotalFunction::max,  TotalFunction::min,     TotalFunction::std_dev, TotalFunction::sum};

/// The total function with exactly this raw value, or none.
constexpr std::optional<TotalFunction> totalFunctionFromRaw(std::uint8_t raw) noexcept {
    return enumFromRaw(allTotalFunctions, raw);
}

/// The total function an integer literal stands for: the case with that raw value, otherwise
/// `TotalFunction::none`.
constexpr TotalFunction totalFunctionFromLiteral(std::uint8_t literal) noexcept {
    return totalFunctionFromRaw(literal).value_or(TotalFunction::none);
}

} // namespace marrowvale
