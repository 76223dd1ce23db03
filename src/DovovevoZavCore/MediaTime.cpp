#include "DovovevoZavCore/MediaTime.h"

#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/MediaTimeRange.h"

#include <limits>

namespace dovovevozav {

namespace {

/// Rank of a time's kind in the total order of media times.
int kindRank(const MediaTime& time) {
    if (!time.isValid()) {
        return 4;
    }
    if (time.isNegativeInfinity()) {
        return 0;
    }
    if (time.isPositiveInfinity()) {
        return 3;
    }
    if (time.isIndefinite()) {
        return 2;
    }
    // A valid time without a positive timescale has no value; it sorts with the invalid ones.
    return time.timescale > 0 ? 1 : 4;
}

MediaTime negated(const MediaTime& time) {
    if (time.isPositiveInfinity()) {
        return MediaTime::negativeInfinityTime();
    }
    if (time.isNegativeInfinity()) {
        return MediaTime::positiveInfinityTime();
    }
    if (!time.isNumeric()) {
        return time;
    }
    if (time.value == INT64_MIN) {
        return MediaTime::invalid();
    }
    MediaTime result = time;
    result.value = -time.value;
    return result;
}

} // namespace

double MediaTime::seconds() const {
    if (isPositiveInfinity()) {
        return std::numeric_limits<double>::infinity();
    }
    if (isNegativeInfinity()) {
        return -std::numeric_limits<double>::infinity();
    }
    if (!isNumeric()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return static_cast<double>(value) / static_cast<double>(timescale);
}

int MediaTime::compare(const MediaTime& lhs, const MediaTime& rhs) {
    const int leftRank = kindRank(lhs);
    const int rightRank = kindRank(rhs);
    if (leftRank != rightRank) {
        return leftRank < rightRank ? -1 : 1;
    }
    if (leftRank != 1) {
        return 0;
    }
    if (lhs.epoch != rhs.epoch) {
        return lhs.epoch < rhs.epoch ? -1 : 1;
    }
    // Exact: value1 x timescale2 against value2 x timescale1, both timescales positive.
    const __int128 left = static_cast<__int128>(lhs.value) * rhs.timescale;
    const __int128 right = static_cast<__int128>(rhs.value) * lhs.timescale;
    if (left == right) {
        return 0;
    }
    return left < right ? -1 : 1;
}

MediaTime MediaTime::add(const MediaTime& lhs, const MediaTime& rhs) {
    const int leftRank = kindRank(lhs);
    const int rightRank = kindRank(rhs);
    if (leftRank == 4 || rightRank == 4) {
        return invalid();
    }
    if (leftRank == 2 || rightRank == 2) {
        return indefiniteTime();
    }
    if ((leftRank == 0 && rightRank == 3) || (leftRank == 3 && rightRank == 0)) {
        return indefiniteTime();
    }
    if (leftRank == 0 || rightRank == 0) {
        return negativeInfinityTime();
    }
    if (leftRank == 3 || rightRank == 3) {
        return positiveInfinityTime();
    }

    std::int32_t timescale = lhs.timescale;
    __int128 leftValue = lhs.value;
    __int128 rightValue = rhs.value;
    bool rounded = false;
    if (lhs.timescale != rhs.timescale) {
        const auto g = static_cast<std::int64_t>(
            gcd128(static_cast<unsigned>(lhs.timescale), static_cast<unsigned>(rhs.timescale)));
        const std::int64_t common = static_cast<std::int64_t>(lhs.timescale) / g * rhs.timescale;
        if (common <= INT32_MAX) {
            timescale = static_cast<std::int32_t>(common);
            leftValue *= common / lhs.timescale;
            rightValue *= common / rhs.timescale;
        } else {
            // Rescale the finer-grained operand to the larger timescale, halves away from zero.
            const bool leftLarger = lhs.timescale > rhs.timescale;
            timescale = leftLarger ? lhs.timescale : rhs.timescale;
            const MediaTime& other = leftLarger ? rhs : lhs;
            const __int128 scaled = static_cast<__int128>(other.value) * timescale;
            const __int128 half = other.timescale / 2;
            const __int128 rescaled =
                scaled >= 0 ? (scaled + half) / other.timescale : (scaled - half) / other.timescale;
            rounded = rescaled * other.timescale != scaled;
            (leftLarger ? rightValue : leftValue) = rescaled;
        }
    }
    const __int128 sum = leftValue + rightValue;
    if (!fitsInt64(sum)) {
        return sum > 0 ? positiveInfinityTime() : negativeInfinityTime();
    }
    MediaTime result(static_cast<std::int64_t>(sum), timescale);
    result.epoch = lhs.epoch;
    if (rounded || ((lhs.flags | rhs.flags) & hasBeenRounded)) {
        result.flags |= hasBeenRounded;
    }
    return result;
}

std::string MediaTime::description() const {
    if (!isValid()) {
        return "invalid";
    }
    if (isIndefinite()) {
        return "indefinite";
    }
    if (isPositiveInfinity()) {
        return "+infinity";
    }
    if (isNegativeInfinity()) {
        return "-infinity";
    }
    return std::to_string(value) + "/" + std::to_string(timescale);
}

MediaTimeRange MediaTimeRange::fromStartToEnd(const MediaTime& start, const MediaTime& end) {
    if (!start.isNumeric() || !end.isNumeric()) {
        return MediaTimeRange();
    }
    return MediaTimeRange(start, MediaTime::add(end, negated(start)));
}

bool MediaTimeRange::isValid() const {
    return start.isValid() && duration.isValid() && duration.epoch == 0;
}

} // namespace dovovevozav
