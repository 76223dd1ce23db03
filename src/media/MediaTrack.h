#pragma once

#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/MediaTimeRange.h"
#include "media/TimecodeFormatDescription.h"

#include <cstdint>
#include <optional>

namespace marrowvale {

/// One video or timecode track of a media file, as read when the file was opened.
struct MediaTrack {
    enum class Kind : std::uint8_t { video, timecode };

    Kind kind = Kind::video;
    /// Position of the track among all the file's streams.
    unsigned streamIndex = 0;
    /// The shortest frame duration the track's timing can express; invalid when unknown.
    dovovevozav::MediaTime minFrameDuration;
    /// Average frames per second; 0 when unknown.
    float nominalFrameRate = 0.0f;
    /// Where the track lies on the file's timeline; invalid parts when unknown.
    dovovevozav::MediaTimeRange timeRange;
    /// Video: pictures per frame, 2 for interlaced video and 1 for progressive; none when the
    /// file does not say.
    std::optional<int> fieldCount;
    /// Timecode: the sample description; none when the track stores none that can be read.
    std::optional<TimecodeFormatDescription> timecodeDescription;
};

} // namespace marrowvale
