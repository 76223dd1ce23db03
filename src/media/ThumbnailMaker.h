#pragma once

#include "media/ThumbnailBatch.h"
#include "media/ThumbnailWriter.h"
#include "media/VideoFrameReader.h"

#include <filesystem>
#include <optional>

namespace marrowvale {

/// Makes thumbnail files one job after another in this thread, keeping the file it reads
/// open from one job to the next, so that neighbouring times of one file decode on from each
/// other. Part of this folder's probing: the application reaches it through
/// makeThumbnailFiles, which runs it in a probing process.
class ThumbnailMaker {
public:
    /// Writes the job's picture and gives its height in pixels; none when the file cannot be
    /// read, has no picture at that time or the picture cannot be written. A file that would
    /// not open is not tried again by the next job.
    std::optional<int> make(const ThumbnailJob& job);

private:
    std::optional<VideoFrameReader> reader_;
    std::filesystem::path unreadable_;
    ThumbnailWriter writer_;
};

} // namespace marrowvale
