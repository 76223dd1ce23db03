#pragma once

#include "DovovevoZavCore/MediaTime.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dovovevozav {
class Timecode;
}

namespace marrowvale {

/// How a timecode track stores its samples: 32-bit frame numbers ("tmcd") or packed 64-bit
/// hours, minutes, seconds and frames ("tc64").
enum class TimecodeSampleFormat : std::uint8_t { timeCode32, timeCode64 };

/// What a timecode sample description carries besides its counting: the name of the source
/// (the reel) the timecode belongs to. Empty: none.
struct TimecodeFormatExtensions {
    std::string sourceReferenceName;

    friend bool operator==(const TimecodeFormatExtensions&,
                           const TimecodeFormatExtensions&) = default;
};

/// The format description of a timecode track: how its frame numbers count.
struct TimecodeFormatDescription {
    /// The flag bits of the description.
    enum Flag : std::uint32_t {
        dropFrame = 0x1,
        twentyFourHourMax = 0x2,
        negativeTimesOK = 0x4,
        counter = 0x8,
    };

    TimecodeSampleFormat mediaSubtype = TimecodeSampleFormat::timeCode32;
    /// One frame: value over timescale seconds (100/2500 at 25 fps).
    dovovevozav::MediaTime frameDuration;
    /// Whole frames per second the numbers count (30 at 29.97 drop-frame).
    std::uint32_t frameQuanta = 0;
    std::uint32_t flags = 0;
    TimecodeFormatExtensions extensions;

    /// True when the flag is set.
    bool has(Flag flag) const { return (flags & flag) != 0; }

    /// The description of a track counting from `start`: its rate's frame duration and
    /// timebase, drop-frame at drop-frame rates, 24-hour for the 24-hour limit.
    static TimecodeFormatDescription forTimecode(const dovovevozav::Timecode& start,
                                                 TimecodeFormatExtensions extensions = {});

    /// Reads the big-endian fields that follow the common header of a stored "tmcd" or "tc64"
    /// sample description (reserved, flags, timescale, frame duration, frames, reserved, then
    /// an optional "name" box). Nothing when the fixed fields are cut short.
    static std::optional<TimecodeFormatDescription>
    fromSampleDescription(TimecodeSampleFormat format, std::span<const std::uint8_t> bytes);

    friend bool operator==(const TimecodeFormatDescription& lhs,
                           const TimecodeFormatDescription& rhs);
};

} // namespace marrowvale
