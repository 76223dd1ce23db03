#pragma once

#include <chrono>
#include <cstdint>

namespace marrowvale {

/// How much of a file is read to recognise it and its streams, and how long any one call may
/// take. A file that needs more is read as far as the limits go; nothing reads without bound.
struct ProbeLimits {
    /// Bytes read to recognise the format and to learn the streams' details.
    std::int64_t probeBytes = 2'000'000;
    /// Media time analysed for the streams' details, in microseconds.
    std::int64_t analyzeMicroseconds = 2'000'000;
    /// The largest picture decoded, in pixels (8192 x 8192): a few bytes can declare a picture
    /// of gigabytes, which is refused before anything is decoded.
    std::int64_t maxPicturePixels = std::int64_t{64} * 1024 * 1024;
    /// Wall-clock time after which an open, read or analysis gives up.
    std::chrono::milliseconds callTimeout{10'000};
    /// Wall-clock time the application waits for the answer about one file (its rate, its
    /// tags, a thumbnail) from the process that reads it, before giving the file up. It
    /// bounds what the call timeout cannot: work the media libraries do on bytes already read.
    std::chrono::milliseconds answerTimeout{5'000};
    /// Memory a media probing helper may take, in bytes: a file whose reading needs more (tags
    /// of millions of items, say) is given up on rather than taking the machine's memory, one
    /// such file on every core.
    std::int64_t helperMemoryBytes = std::int64_t{896} * 1024 * 1024;
};

} // namespace marrowvale
