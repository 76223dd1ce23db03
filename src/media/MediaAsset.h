#pragma once

#include "DovovevoZavCore/MediaTime.h"
#include "media/MediaTrack.h"
#include "media/ProbeLimits.h"
#include "media/TimecodeSample.h"

#include <filesystem>
#include <vector>

namespace marrowvale {

/// A media file opened for probing: its video tracks (attached cover pictures left out), its
/// timecode tracks ("tmcd" and "tc64") and its duration, read once when it is opened. A plain
/// value: it holds no open file, so it can be copied and shared freely.
class MediaAsset {
public:
    /// Opens a local media file and reads its tracks, within the probe limits. Throws
    /// MediaError when the file is missing, unreadable or not media.
    static MediaAsset open(const std::filesystem::path& path, const ProbeLimits& limits = {});

    /// The file.
    const std::filesystem::path& path() const { return path_; }
    /// Video tracks in file order.
    const std::vector<MediaTrack>& videoTracks() const { return videoTracks_; }
    /// Timecode tracks in file order.
    const std::vector<MediaTrack>& timecodeTracks() const { return timecodeTracks_; }
    /// The length of the longest track; invalid when no track says.
    const dovovevozav::MediaTime& duration() const { return duration_; }

    /// The samples of every timecode track, read from the file afresh: one list per track,
    /// in track order, each in stored order. Reading stops after a bounded number of samples.
    /// Throws MediaParseError::internalError when the file no longer opens, MediaError when
    /// reading it fails on the way.
    std::vector<std::vector<TimecodeSample>> readTimecodeSamples() const;

private:
    std::filesystem::path path_;
    ProbeLimits limits_;
    std::vector<MediaTrack> videoTracks_;
    std::vector<MediaTrack> timecodeTracks_;
    dovovevozav::MediaTime duration_;
};

} // namespace marrowvale
