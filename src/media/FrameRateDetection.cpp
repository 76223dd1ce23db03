#include "media/FrameRateDetection.h"

#include "DovovevoZavCore/Fraction.h"
#include "media/MediaAsset.h"
#include "media/MediaParseError.h"

namespace marrowvale {

using dovovevozav::Fraction;
using dovovevozav::MediaTime;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

namespace {

/// A frame duration as the unreduced fraction value/timescale, when it is one: a zero,
/// negative or non-numeric duration matches no rate, and nothing is divided by zero.
std::optional<Fraction> durationFraction(const MediaTime& duration) {
    if (!duration.isNumeric() || duration.value <= 0) {
        return std::nullopt;
    }
    return Fraction(duration.value, duration.timescale);
}

/// The first valid shortest frame duration among the video tracks; only that one is tried.
std::optional<Fraction> firstVideoFrameDuration(const MediaAsset& asset) {
    for (const MediaTrack& track : asset.videoTracks()) {
        if (track.minFrameDuration.isValid()) {
            return durationFraction(track.minFrameDuration);
        }
    }
    return std::nullopt;
}

/// The frame duration of the first timecode description found.
std::optional<Fraction> firstTimecodeFrameDuration(const MediaAsset& asset) {
    for (const MediaTrack& track : asset.timecodeTracks()) {
        if (track.timecodeDescription) {
            return durationFraction(track.timecodeDescription->frameDuration);
        }
    }
    return std::nullopt;
}

} // namespace

TimecodeFrameRate timecodeFrameRate(const MediaAsset& asset, std::optional<bool> dropFrame) {
    const bool drop = dropFrame.value_or(isTimecodeTrackDropFrame(asset));
    if (const auto duration = firstVideoFrameDuration(asset)) {
        if (const auto rate = TimecodeFrameRate::matchingFrameDuration(*duration, drop)) {
            return *rate;
        }
    }
    if (const auto duration = firstTimecodeFrameDuration(asset)) {
        if (const auto rate = TimecodeFrameRate::matchingFrameDuration(*duration, drop)) {
            return *rate;
        }
    }
    if (const auto rate = videoFrameRate(asset).matchingTimecodeFrameRate(drop)) {
        return *rate;
    }
    throw MediaParseError(MediaParseError::missingOrNonStandardFrameRate);
}

VideoFrameRate videoFrameRate(const MediaAsset& asset, std::optional<bool> interlaced) {
    const bool fields = interlaced.value_or(isVideoInterlaced(asset));
    if (const auto duration = firstVideoFrameDuration(asset)) {
        if (const auto rate = VideoFrameRate::matchingFrameDuration(*duration, fields)) {
            return *rate;
        }
    }
    // A picture description carries no frame duration of its own, so the video tracks'
    // descriptions give nothing here; the timecode description comes next.
    if (const auto duration = firstTimecodeFrameDuration(asset)) {
        if (const auto rate = VideoFrameRate::matchingFrameDuration(*duration, fields)) {
            return *rate;
        }
    }
    for (const MediaTrack& track : asset.videoTracks()) {
        if (const auto rate = VideoFrameRate::fromFramesPerSecond(track.nominalFrameRate, fields)) {
            return *rate;
        }
    }
    throw MediaParseError(MediaParseError::missingOrNonStandardFrameRate);
}

bool isVideoInterlaced(const MediaAsset& asset) {
    if (asset.videoTracks().empty()) {
        return false;
    }
    return asset.videoTracks().front().fieldCount.value_or(1) >= 2;
}

bool isTimecodeTrackDropFrame(const MediaAsset& asset) {
    for (const MediaTrack& track : asset.timecodeTracks()) {
        if (track.timecodeDescription &&
            track.timecodeDescription->has(TimecodeFormatDescription::dropFrame)) {
            return true;
        }
    }
    return false;
}

} // namespace marrowvale
