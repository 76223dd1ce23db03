#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeAlignment.h"
#include "DovovevoZavCore/TimecodeRange.h"
#include "DovovevoZavCore/TimecodeSortComparator.h"

#include <algorithm>
#include <limits>

namespace dovovevozav {

namespace {

double roundedSecondsOf(const Timecode& timecode) {
    return detail::roundedSeconds(timecode.seconds());
}

void mixHash(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

/// The sort key of a timecode on a timeline from `start`: its exact frame count, less one
/// day at its own rate when it lies at or after the start (those come first).
Decimal timelineKey(const Timecode& timecode, const Decimal& startCount) {
    Decimal count = timecode.frameCount().decimalValue();
    if (count >= startCount) {
        count -= Decimal(timecode.frameRate().spanFrames(TimecodeUpperLimit::max24Hours));
    }
    return count;
}

bool hasActiveStart(const std::optional<Timecode>& timelineStart) {
    return timelineStart && !timelineStart->isZero();
}

} // namespace

bool operator==(const Timecode& lhs, const Timecode& rhs) {
    if (lhs.frameRate() != rhs.frameRate()) {
        return false;
    }
    if (lhs.components().subFrames != 0 && rhs.components().subFrames != 0 &&
        lhs.subFramesBase() != rhs.subFramesBase()) {
        return false;
    }
    return roundedSecondsOf(lhs) == roundedSecondsOf(rhs);
}

bool operator<(const Timecode& lhs, const Timecode& rhs) {
    return roundedSecondsOf(lhs) < roundedSecondsOf(rhs);
}

ComparisonResult Timecode::compare(const Timecode& other) const {
    if (*this == other) {
        return ComparisonResult::orderedSame;
    }
    return *this < other ? ComparisonResult::orderedAscending : ComparisonResult::orderedDescending;
}

ComparisonResult Timecode::compare(const Timecode& other, const Timecode& timelineStart) const {
    if (*this == other) {
        return ComparisonResult::orderedSame;
    }
    if (timelineStart.isZero()) {
        return compare(other);
    }
    const Decimal startCount = timelineStart.frameCount().decimalValue();
    return timelineKey(*this, startCount) < timelineKey(other, startCount)
               ? ComparisonResult::orderedAscending
               : ComparisonResult::orderedDescending;
}

std::size_t Timecode::hashValue() const {
    // Equality compares the frame rate and the rounded real time (the subframes base only
    // sometimes and the upper limit never), so the hash covers exactly those two.
    std::size_t seed = std::hash<std::string_view>()(properties_.frameRate.rawValue());
    mixHash(seed, std::hash<double>()(roundedSecondsOf(*this)));
    return seed;
}

std::int64_t Timecode::distance(const Timecode& other) const {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(other.frameCount().wholeFrames(), frameCount().wholeFrames(),
                               &difference)) {
        return other.frameCount().wholeFrames() > frameCount().wholeFrames()
                   ? std::numeric_limits<std::int64_t>::max()
                   : std::numeric_limits<std::int64_t>::min();
    }
    return difference;
}

Timecode Timecode::advanced(std::int64_t frames) const {
    Components offset;
    offset.frames = frames;
    return adding(offset, ValidationRule::clamping);
}

std::string Timecode::description() const {
    return formattedString({StringFormatOption::showSubFrames});
}

std::string Timecode::debugDescription() const {
    StringFormat format{StringFormatOption::showSubFrames};
    if (properties_.upperLimit == UpperLimit::max100Days) {
        format.setAlwaysShowDays(true);
    }
    return "Timecode<" + formattedString(format) + " @ " +
           std::string(properties_.frameRate.longName()) + ">";
}

ComparisonResult TimecodeSortComparator::compare(const Timecode& lhs, const Timecode& rhs) const {
    const ComparisonResult result =
        timelineStart ? lhs.compare(rhs, *timelineStart) : lhs.compare(rhs);
    if (order == SortOrder::forward) {
        return result;
    }
    return static_cast<ComparisonResult>(-static_cast<int>(result));
}

bool operator==(const TimecodeSortComparator& lhs, const TimecodeSortComparator& rhs) {
    if (lhs.order != rhs.order || lhs.timelineStart.has_value() != rhs.timelineStart.has_value()) {
        return false;
    }
    return !lhs.timelineStart || *lhs.timelineStart == *rhs.timelineStart;
}

std::size_t TimecodeSortComparator::hashValue() const {
    std::size_t seed = std::hash<int>()(static_cast<int>(order));
    mixHash(seed, timelineStart ? 1 : 0);
    if (timelineStart) {
        mixHash(seed, timelineStart->hashValue());
    }
    return seed;
}

void sortTimecodes(std::span<Timecode> timecodes, bool ascending,
                   const std::optional<Timecode>& timelineStart) {
    // The order is that of Timecode::compare, computed as one key per timecode so that the
    // sort sees a strict weak ordering; equal keys keep their order.
    struct Keyed {
        Decimal timelineCount;
        double seconds;
        Timecode timecode;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(timecodes.size());
    const bool byTimeline = hasActiveStart(timelineStart);
    const Decimal startCount = byTimeline ? timelineStart->frameCount().decimalValue() : Decimal();
    for (const Timecode& timecode : timecodes) {
        keyed.push_back({byTimeline ? timelineKey(timecode, startCount) : Decimal(),
                         roundedSecondsOf(timecode), timecode});
    }
    const auto before = [byTimeline](const Keyed& lhs, const Keyed& rhs) {
        return byTimeline ? lhs.timelineCount < rhs.timelineCount : lhs.seconds < rhs.seconds;
    };
    if (ascending) {
        std::stable_sort(keyed.begin(), keyed.end(), before);
    } else {
        std::stable_sort(keyed.begin(), keyed.end(), [&before](const Keyed& lhs, const Keyed& rhs) {
            return before(rhs, lhs);
        });
    }
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        timecodes[i] = keyed[i].timecode;
    }
}

std::vector<Timecode> sortedTimecodes(std::span<const Timecode> timecodes, bool ascending,
                                      const std::optional<Timecode>& timelineStart) {
    std::vector<Timecode> result(timecodes.begin(), timecodes.end());
    sortTimecodes(result, ascending, timelineStart);
    return result;
}

bool isSortedTimecodes(std::span<const Timecode> timecodes, bool ascending,
                       const std::optional<Timecode>& timelineStart) {
    for (std::size_t i = 1; i < timecodes.size(); ++i) {
        const Timecode& previous = timecodes[i - 1];
        const Timecode& next = timecodes[i];
        if (previous == next) {
            continue;
        }
        const ComparisonResult result =
            timelineStart ? previous.compare(next, *timelineStart) : previous.compare(next);
        if ((ascending && result == ComparisonResult::orderedDescending) ||
            (!ascending && result == ComparisonResult::orderedAscending)) {
            return false;
        }
    }
    return true;
}

std::pair<Timecode, Timecode> timecodeRange(const MediaTimeRange& range,
                                            const TimecodeProperties& properties) {
    if (!range.isValid()) {
        throw TimecodeValidationError(TimecodeValidationError::invalid);
    }
    const MediaTime end = range.end();
    if (range.start > end) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    try {
        return {Timecode(TimecodeSourceValue::mediaTime(range.start), properties),
                Timecode(TimecodeSourceValue::mediaTime(end), properties)};
    } catch (const TimecodeValidationError&) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
}

} // namespace dovovevozav
