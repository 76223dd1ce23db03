#include "DovovevoZavCore/TimecodeFrameCount.h"

#include "DovovevoZavCore/DoubleText.h"
#include "DovovevoZavCore/ExactFrames.h"
#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace dovovevozav {

namespace {

using Kind = TimecodeFrameCountValue::Kind;

// A double truncated toward zero into the 64-bit range; NaN gives 0, the rest saturates.
std::int64_t truncatedSaturating(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 9223372036854775808.0) {
        return INT64_MAX;
    }
    if (value <= -9223372036854775808.0) {
        return INT64_MIN;
    }
    return static_cast<std::int64_t>(value);
}

// Total subframes without overflow: both parts are 64-bit, the base at most 100.
__int128 exactSubFrameCount(const TimecodeFrameCount& count) {
    return static_cast<__int128>(count.wholeFrames()) * count.subFramesBase().rawValue() +
           count.subFrames();
}

// Subframes of every base in one unit: 400 is the least common multiple of 80, 100 and 4, so
// counts of different bases compare and hash without rounding (one frame at base 80 is 80/80
// of a frame, never 80 hundredths).
constexpr int commonBase = 400;

__int128 commonSubFrameCount(const TimecodeFrameCount& count) {
    return exactSubFrameCount(count) * (commonBase / count.subFramesBase().rawValue());
}

// The right operand's total subframes rescaled to the left operand's base, truncated toward
// zero as timecode arithmetic rescales its operand's subframes.
__int128 subFrameCountAtBaseOf(const TimecodeFrameCount& lhs, const TimecodeFrameCount& rhs) {
    return commonSubFrameCount(rhs) / (commonBase / lhs.subFramesBase().rawValue());
}

// A total subframe count split into frames and subframes at a base.
TimecodeFrameCount splitCount(__int128 total, TimecodeSubFramesBase base) {
    const __int128 frames = total / base.rawValue();
    if (!fitsInt64(frames)) {
        throw std::overflow_error("Frame count leaves the 64-bit range.");
    }
    return TimecodeFrameCount(
        TimecodeFrameCountValue::split(static_cast<std::int64_t>(frames),
                                       static_cast<std::int64_t>(total % base.rawValue())),
        base);
}

TimecodeFrameCount scaledCount(const TimecodeFrameCount& count, double product) {
    // Beyond 2^100 the split frames cannot fit 64 bits anyway; the bound keeps the
    // conversion to 128 bits defined.
    if (!std::isfinite(product) || std::fabs(product) >= 0x1p100) {
        throw std::overflow_error("Frame count leaves the 64-bit range.");
    }
    return splitCount(static_cast<__int128>(product), count.subFramesBase());
}

} // namespace

std::int64_t TimecodeFrameCount::wholeFrames() const {
    if (value_.kind() == Kind::combined) {
        return truncatedSaturating(value_.combinedFrames());
    }
    return value_.intFrames();
}

std::int64_t TimecodeFrameCount::subFrames() const {
    switch (value_.kind()) {
    case Kind::frames:
        return 0;
    case Kind::split:
        return value_.intSubFrames();
    case Kind::combined: {
        // The fraction of the value cut to 8 places, in subframes.
        const auto exact = detail::ExactFrames::of(value_, subFramesBase_);
        if (!exact) {
            return 0;
        }
        return static_cast<std::int64_t>(exact->fractionScaled() * subFramesBase_.rawValue() /
                                         detail::ExactFrames::scale);
    }
    case Kind::splitUnitInterval: {
        // Read from the shortest digits of the fraction: a timecode's own count holds
        // subframes / base here, and 0.29 x 100 in binary is 28.999..., which would lose a
        // subframe (29, 57 and 58 at base 100).
        const double unit = value_.subFramesUnitInterval();
        if (const auto exact = detail::ExactFrames::fromDouble(unit)) {
            const __int128 count = exact->subFrameCount(subFramesBase_);
            return fitsInt64(count) ? static_cast<std::int64_t>(count)
                                    : (count < 0 ? INT64_MIN : INT64_MAX);
        }
        return truncatedSaturating(unit * subFramesBase_.rawValue());
    }
    }
    return 0;
}

std::int64_t TimecodeFrameCount::subFrameCount() const {
    const __int128 total = exactSubFrameCount(*this);
    if (!fitsInt64(total)) {
        throw std::overflow_error("Subframe count leaves the 64-bit range.");
    }
    return static_cast<std::int64_t>(total);
}

double TimecodeFrameCount::doubleValue() const {
    switch (value_.kind()) {
    case Kind::frames:
        return static_cast<double>(value_.intFrames());
    case Kind::split:
        return static_cast<double>(value_.intFrames()) +
               static_cast<double>(value_.intSubFrames()) / subFramesBase_.rawValue();
    case Kind::combined:
        return value_.combinedFrames();
    case Kind::splitUnitInterval:
        return static_cast<double>(value_.intFrames()) + value_.subFramesUnitInterval();
    }
    return 0;
}

Decimal TimecodeFrameCount::decimalValue() const {
    switch (value_.kind()) {
    case Kind::frames:
        return Decimal(value_.intFrames());
    case Kind::split:
        return Decimal(value_.intFrames()) +
               Decimal(value_.intSubFrames()) / Decimal(subFramesBase_.rawValue());
    case Kind::combined:
        return Decimal(value_.combinedFrames()).truncated(8);
    case Kind::splitUnitInterval:
        return Decimal(value_.intFrames()) + Decimal(value_.subFramesUnitInterval());
    }
    return Decimal();
}

std::string TimecodeFrameCount::description() const {
    if (value_.kind() == Kind::frames) {
        return std::to_string(value_.intFrames());
    }
    return doubleText(doubleValue());
}

void TimecodeFrameCount::apply(Timecode& target) const {
    // The count brings its own base; it is set on a copy so that a count out of range leaves
    // the target, base included, as it was.
    Timecode result = target;
    result.setSubFramesBase(subFramesBase_);
    detail::storeCheckedFrames(result, detail::ExactFrames::of(value_, subFramesBase_));
    target = result;
}

void TimecodeFrameCount::apply(Timecode& target, TimecodeValidationRule rule) const {
    // Read at the count's own base, then counted at the target's: subframes are carried over
    // exactly, whichever of the four forms the count is written in.
    detail::storeFramesByRule(target, detail::ExactFrames::saturatingOf(value_, subFramesBase_),
                              rule);
}

bool operator==(const TimecodeFrameCount& lhs, const TimecodeFrameCount& rhs) {
    return commonSubFrameCount(lhs) == commonSubFrameCount(rhs);
}

std::strong_ordering operator<=>(const TimecodeFrameCount& lhs, const TimecodeFrameCount& rhs) {
    const __int128 left = commonSubFrameCount(lhs);
    const __int128 right = commonSubFrameCount(rhs);
    return left < right
               ? std::strong_ordering::less
               : (left > right ? std::strong_ordering::greater : std::strong_ordering::equal);
}

TimecodeFrameCount operator+(const TimecodeFrameCount& lhs, const TimecodeFrameCount& rhs) {
    return splitCount(exactSubFrameCount(lhs) + subFrameCountAtBaseOf(lhs, rhs),
                      lhs.subFramesBase());
}

TimecodeFrameCount operator-(const TimecodeFrameCount& lhs, const TimecodeFrameCount& rhs) {
    return splitCount(exactSubFrameCount(lhs) - subFrameCountAtBaseOf(lhs, rhs),
                      lhs.subFramesBase());
}

TimecodeFrameCount operator*(const TimecodeFrameCount& count, double k) {
    return scaledCount(count, static_cast<double>(exactSubFrameCount(count)) * k);
}

TimecodeFrameCount operator/(const TimecodeFrameCount& count, double k) {
    return scaledCount(count, static_cast<double>(exactSubFrameCount(count)) / k);
}

std::size_t TimecodeFrameCount::hashValue() const {
    const auto bits = static_cast<unsigned __int128>(commonSubFrameCount(*this));
    const auto low = static_cast<std::uint64_t>(bits);
    const auto high = static_cast<std::uint64_t>(bits >> 64);
    return std::hash<std::uint64_t>()(low) ^ (std::hash<std::uint64_t>()(high) * 31);
}

} // namespace dovovevozav
