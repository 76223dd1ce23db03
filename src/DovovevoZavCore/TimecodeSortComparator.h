#pragma once

#include "DovovevoZavCore/ComparisonResult.h"
#include "DovovevoZavCore/Timecode.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace dovovevozav {

/// Orders timecodes for sorting, forward or reverse, optionally relative to a timeline start
/// after which the timeline may run past midnight.
struct TimecodeSortComparator {
    SortOrder order = SortOrder::forward;
    std::optional<Timecode> timelineStart;

    /// The comparison of lhs with rhs (Timecode::compare), reversed for SortOrder::reverse.
    ComparisonResult compare(const Timecode& lhs, const Timecode& rhs) const;

    /// Equal orders, and both starts absent or both present and equal.
    friend bool operator==(const TimecodeSortComparator& lhs, const TimecodeSortComparator& rhs);
    /// A hash agreeing with equality.
    std::size_t hashValue() const;
};

/// The timecodes in ascending or descending order, relative to a timeline start when given.
/// Ties keep their order.
std::vector<Timecode> sortedTimecodes(std::span<const Timecode> timecodes, bool ascending = true,
                                      const std::optional<Timecode>& timelineStart = std::nullopt);

/// Sorts the timecodes in place as sortedTimecodes() orders them.
void sortTimecodes(std::span<Timecode> timecodes, bool ascending = true,
                   const std::optional<Timecode>& timelineStart = std::nullopt);

/// True when every pair of neighbours is equal or in the requested order.
bool isSortedTimecodes(std::span<const Timecode> timecodes, bool ascending = true,
                       const std::optional<Timecode>& timelineStart = std::nullopt);

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeSortComparator> {
    std::size_t operator()(const dovovevozav::TimecodeSortComparator& comparator) const noexcept {
        return comparator.hashValue();
    }
};
