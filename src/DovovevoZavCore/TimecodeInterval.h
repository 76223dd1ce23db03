#pragma once

#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/IntervalSign.h"
#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/Timecode.h"

#include <cstddef>
#include <functional>
#include <string>

namespace dovovevozav {

/// A signed length of time expressed as a timecode: an unsigned magnitude with its own
/// properties, and a sign. It moves other timecodes on their wrapping clock and converts to
/// real, rational and media time.
class TimecodeInterval {
public:
    /// An interval of the given magnitude and sign, stored as given (no check).
    explicit TimecodeInterval(const Timecode& absoluteInterval,
                              IntervalSign sign = IntervalSign::plus)
        : absoluteInterval_(absoluteInterval), sign_(sign) {}

    /// From signed seconds at the properties (-0 counts as plus). Throws as the seconds source
    /// (TimecodeValidationError) when the magnitude is out of range.
    static TimecodeInterval fromRealTime(double seconds, const TimecodeProperties& properties);
    /// From a signed rational time; minus when exactly one term is negative. Throws as the
    /// rational source.
    static TimecodeInterval fromFraction(const Fraction& time,
                                         const TimecodeProperties& properties);
    /// From a media time; indefinite and infinite times count as zero. Throws as the rational
    /// source.
    static TimecodeInterval fromMediaTime(const MediaTime& time,
                                          const TimecodeProperties& properties);

    /// The magnitude.
    const Timecode& absoluteInterval() const { return absoluteInterval_; }
    /// Replaces the magnitude.
    void setAbsoluteInterval(const Timecode& absoluteInterval) {
        absoluteInterval_ = absoluteInterval;
    }
    /// The direction.
    IntervalSign sign() const { return sign_; }
    /// Replaces the direction.
    void setSign(IntervalSign sign) { sign_ = sign; }
    /// True for a minus interval.
    bool isNegative() const { return sign_ == IntervalSign::minus; }

    /// The base moved by this interval on the base's clock; the base unchanged when the
    /// magnitude cannot be converted to its frame rate.
    Timecode timecode(const Timecode& offsetting) const { return offsetting.offsetting(*this); }
    /// The interval as a timecode on its own clock (a minus interval counts back from the end).
    Timecode flattened() const;

    /// Signed real-time seconds.
    double seconds() const;
    /// Signed rational time, reduced. Throws FractionError when the terms leave 64 bits.
    Fraction fraction() const;
    /// Signed media time. Throws FractionError when the timescale does not fit 32 bits.
    MediaTime mediaTime() const { return fraction().mediaTime(); }

    /// "-00:00:01:00.00" (subframes shown, "-" for minus).
    std::string description() const;
    /// "TimecodeInterval(-00:00:01:00.00)".
    std::string debugDescription() const { return "TimecodeInterval(" + description() + ")"; }
    /// "TimecodeInterval -00:00:01:00.00 @ 24 fps".
    std::string rateDescription() const;

    /// As a source: sets the target to the flattened interval with the magnitude's
    /// properties, and returns them.
    TimecodeProperties apply(Timecode& target) const;

    /// Equal magnitudes (timecode equality) and the same sign.
    friend bool operator==(const TimecodeInterval& lhs, const TimecodeInterval& rhs) {
        return lhs.sign_ == rhs.sign_ && lhs.absoluteInterval_ == rhs.absoluteInterval_;
    }
    /// A hash agreeing with equality.
    std::size_t hashValue() const {
        return absoluteInterval_.hashValue() * 31 + static_cast<std::size_t>(sign_);
    }

private:
    Timecode absoluteInterval_;
    IntervalSign sign_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeInterval> {
    std::size_t operator()(const dovovevozav::TimecodeInterval& interval) const noexcept {
        return interval.hashValue();
    }
};
