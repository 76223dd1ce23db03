#pragma once

#include "media/MediaBatchSettings.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace marrowvale {

class GivenUpFiles;

/// One thumbnail file to make: the picture of `source` shown `numerator`/`denominator`
/// seconds after its start (0 for a still picture), `width` pixels wide, written to `output`.
struct ThumbnailJob {
    std::filesystem::path source;
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
    int width = 0;
    std::filesystem::path output;
};

/// Makes the thumbnail files of `jobs` side by side on `settings.workers` threads, each with a
/// media probing helper process of its own (MediaProbeProcess), and gives the height in pixels
/// of each written picture, in job order; none for a job whose file cannot be read, has no
/// picture at that time or cannot be written. Jobs are handed out in runs of neighbouring times
/// of one file, so each worker opens a file once for all its jobs there and decodes on from one
/// time to the next where it can. A file whose picture takes longer than the time limit, or
/// on which the helper dies twice, is given up on: its remaining jobs, and those of its other
/// names, are none at once. Files are recorded in `givenUp` when given, which may hold files
/// given up on before. Once `settings.stopRequested` answers true, the waits end, no further
/// job starts and the remaining answers are none.
std::vector<std::optional<int>> makeThumbnailFiles(const std::vector<ThumbnailJob>& jobs,
                                                   const MediaBatchSettings& settings = {},
                                                   GivenUpFiles* givenUp = nullptr);

} // namespace marrowvale
