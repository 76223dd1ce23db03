#pragma once

#include "DovovevoZavCore/TimecodeSubFramesBase.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dovovevozav {

class Timecode;

/// A film length in feet and frames at 16 frames a foot, with optional subframes.
class FeetAndFrames {
public:
    /// Frames in one foot of film.
    static constexpr std::int64_t framesPerFoot = 16;

    /// 0+00.
    constexpr FeetAndFrames() = default;
    /// A length as given; frames are not limited to 0...15.
    constexpr FeetAndFrames(
        std::int64_t feet, std::int64_t frames, std::int64_t subFrames = 0,
        TimecodeSubFramesBase subFramesBase = TimecodeSubFramesBase::max80SubFrames)
        : feet_(feet), frames_(frames), subFrames_(subFrames), subFramesBase_(subFramesBase) {}

    /// Parses "12+05" or "12+05.40" (ASCII digits only, nothing around them). Throws
    /// TimecodeStringParseError for any other text or numbers that do not fit 64 bits.
    FeetAndFrames(std::string_view text, TimecodeSubFramesBase subFramesBase);

    /// Whole feet.
    constexpr std::int64_t feet() const { return feet_; }
    /// Frames beyond the whole feet.
    constexpr std::int64_t frames() const { return frames_; }
    /// Subframes, in units of subFramesBase().
    constexpr std::int64_t subFrames() const { return subFrames_; }
    /// The subframe division.
    constexpr TimecodeSubFramesBase subFramesBase() const { return subFramesBase_; }

    /// feet x 16 + frames. Throws std::overflow_error beyond the signed 64-bit range.
    std::int64_t totalFrames() const;

    /// "12+05": feet in plain decimal, "+", frames with at least two digits.
    static std::string string(std::int64_t feet, std::int64_t frames);
    /// "12+05.40": as above with "." and the subframes with at least two digits.
    static std::string string(std::int64_t feet, std::int64_t frames, std::int64_t subFrames);
    /// The text of feet and frames; subframes are not shown.
    std::string description() const { return string(feet_, frames_); }

    /// As a timecode source: stores the components of the length when it lies within the
    /// target's span. Throws TimecodeValidationError::outOfBounds (target unchanged).
    void apply(Timecode& target) const;
    /// As a timecode source under a rule; never throws.
    void apply(Timecode& target, TimecodeValidationRule rule) const;

    friend constexpr bool operator==(const FeetAndFrames&, const FeetAndFrames&) = default;

private:
    std::int64_t feet_ = 0;
    std::int64_t frames_ = 0;
    std::int64_t subFrames_ = 0;
    TimecodeSubFramesBase subFramesBase_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::FeetAndFrames> {
    std::size_t operator()(const dovovevozav::FeetAndFrames& value) const noexcept {
        std::size_t seed = 0;
        for (const std::int64_t field :
             {value.feet(), value.frames(), value.subFrames(),
              static_cast<std::int64_t>(value.subFramesBase().rawValue())}) {
            seed ^= std::hash<std::int64_t>()(field) + 0x9e3779b97f4a7c15ULL + (seed << 6) +
                    (seed >> 2);
        }
        return seed;
    }
};
