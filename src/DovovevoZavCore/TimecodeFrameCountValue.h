#pragma once

#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace dovovevozav {

class Timecode;

/// One of the four ways of writing a frame count: whole frames; whole frames plus subframes;
/// frames as a real number; whole frames plus the subframe part as a fraction of a frame.
/// The Timecode class names it Timecode::FrameCount::Value.
class TimecodeFrameCountValue {
public:
    enum class Kind : std::uint8_t { frames, split, combined, splitUnitInterval };

    /// Zero whole frames.
    constexpr TimecodeFrameCountValue() = default;

    /// Whole frames, no subframes.
    static constexpr TimecodeFrameCountValue frames(std::int64_t frames) {
        return TimecodeFrameCountValue(Kind::frames, frames, 0, 0.0);
    }
    /// Whole frames plus subframes counted in the base of the enclosing frame count.
    static constexpr TimecodeFrameCountValue split(std::int64_t frames, std::int64_t subFrames) {
        return TimecodeFrameCountValue(Kind::split, frames, subFrames, 0.0);
    }
    /// Frames as a real number; the fraction is the subframe part.
    static constexpr TimecodeFrameCountValue combined(double frames) {
        return TimecodeFrameCountValue(Kind::combined, 0, 0, frames);
    }
    /// Whole frames plus the subframe part as a fraction of one frame.
    static constexpr TimecodeFrameCountValue splitUnitInterval(std::int64_t frames,
                                                               double subFramesUnitInterval) {
        return TimecodeFrameCountValue(Kind::splitUnitInterval, frames, 0, subFramesUnitInterval);
    }

    /// Which of the four forms this is.
    constexpr Kind kind() const { return kind_; }
    /// The integer frames payload of `frames`, `split` and `splitUnitInterval` (0 otherwise).
    constexpr std::int64_t intFrames() const { return intFrames_; }
    /// The subframes payload of `split` (0 otherwise).
    constexpr std::int64_t intSubFrames() const { return intSubFrames_; }
    /// The real-number payload of `combined` (0 otherwise).
    constexpr double combinedFrames() const { return kind_ == Kind::combined ? real_ : 0.0; }
    /// The unit-interval payload of `splitUnitInterval` (0 otherwise).
    constexpr double subFramesUnitInterval() const {
        return kind_ == Kind::splitUnitInterval ? real_ : 0.0;
    }

    /// True when every payload field is zero (+0 or -0 for the real numbers).
    bool isZero() const;

    /// A number followed by " frames": "12", "12.5" (12 frames, 5 subframes), "10.25".
    std::string description() const;
    /// The case spelled out: ".split(frames: 12, subFrames: 5)".
    std::string debugDescription() const;

    /// As a timecode source, read at the target's subframes base: stores the components when
    /// the count lies within the target's span. Throws TimecodeValidationError::outOfBounds
    /// (target unchanged).
    void apply(Timecode& target) const;
    /// As a timecode source under a rule; never throws.
    void apply(Timecode& target, TimecodeValidationRule rule) const;

    /// Structural equality: the same form with equal payloads (reals compared as numbers).
    friend bool operator==(const TimecodeFrameCountValue& lhs, const TimecodeFrameCountValue& rhs);

    /// Hash of the form and payload, reals by bit pattern with -0 hashed as +0.
    std::size_t hashValue() const;

private:
    constexpr TimecodeFrameCountValue(Kind kind, std::int64_t frames, std::int64_t subFrames,
                                      double real)
        : kind_(kind), intFrames_(frames), intSubFrames_(subFrames), real_(real) {}

    Kind kind_ = Kind::frames;
    std::int64_t intFrames_ = 0;
    std::int64_t intSubFrames_ = 0;
    double real_ = 0.0;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeFrameCountValue> {
    std::size_t operator()(const dovovevozav::TimecodeFrameCountValue& value) const noexcept {
        return value.hashValue();
    }
};
