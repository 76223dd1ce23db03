#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "media/TimecodeSample.h"

#include <optional>
#include <vector>

namespace marrowvale {

class MediaAsset;
struct MediaTrack;

// Timecode read from a media file's timecode tracks. Every timecode of one call is made at
// one set of properties: the frame rate given, or detected with timecodeFrameRate() when
// absent, with the caller's subframes base and upper limit. Failures throw: MediaParseError
// for an undetectable rate, TimecodeValidationError for a sample or duration that does not
// fit the properties (one bad sample fails the whole call), MediaParseError::internalError
// when the file no longer opens and MediaError when reading it fails on the way.

/// The first sample of the first timecode track that has one, as stored; none when no track
/// has one.
std::optional<TimecodeSample> firstTimecodeSample(const MediaAsset& asset);

/// Every timecode track's samples as timecodes, one list per track in track order; empty
/// when the file has no timecode track.
std::vector<std::vector<dovovevozav::Timecode>>
timecodes(const MediaAsset& asset, std::optional<dovovevozav::TimecodeFrameRate> frameRate,
          dovovevozav::TimecodeSubFramesBase base, dovovevozav::TimecodeUpperLimit limit);

/// The first sample of the first timecode track that has one; none when no track has one.
std::optional<dovovevozav::Timecode>
startTimecode(const MediaAsset& asset, std::optional<dovovevozav::TimecodeFrameRate> frameRate,
              dovovevozav::TimecodeSubFramesBase base, dovovevozav::TimecodeUpperLimit limit);

/// The start timecode plus the file's duration, wrapping at the upper limit; none without a
/// start timecode.
std::optional<dovovevozav::Timecode>
endTimecode(const MediaAsset& asset, std::optional<dovovevozav::TimecodeFrameRate> frameRate,
            dovovevozav::TimecodeSubFramesBase base, dovovevozav::TimecodeUpperLimit limit);

/// The file's duration as a timecode; needs no timecode track.
dovovevozav::Timecode durationTimecode(const MediaAsset& asset,
                                       std::optional<dovovevozav::TimecodeFrameRate> frameRate,
                                       dovovevozav::TimecodeSubFramesBase base,
                                       dovovevozav::TimecodeUpperLimit limit);

/// One track's duration as a timecode: the last minus the first timecode of its time range.
dovovevozav::Timecode durationTimecode(const MediaAsset& asset, const MediaTrack& track,
                                       std::optional<dovovevozav::TimecodeFrameRate> frameRate,
                                       dovovevozav::TimecodeSubFramesBase base,
                                       dovovevozav::TimecodeUpperLimit limit);

} // namespace marrowvale
