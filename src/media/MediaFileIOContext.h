#pragma once

#include "media/MediaFile.h"

#include <chrono>
#include <cstdint>

struct AVIOContext;

namespace marrowvale {

/// FFmpeg's reading of a media file through the descriptor of a MediaFile, so that the demuxer
/// reads the very file that was checked. Part of the FFmpeg layer of this folder: nothing
/// outside src/media sees it.
class MediaFileIOContext {
public:
    /// Reads `file`; throws std::bad_alloc when the context cannot be made.
    explicit MediaFileIOContext(MediaFile file);
    ~MediaFileIOContext();
    MediaFileIOContext(const MediaFileIOContext&) = delete;
    MediaFileIOContext& operator=(const MediaFileIOContext&) = delete;

    /// The context, for AVFormatContext::pb.
    AVIOContext* get() const { return context_; }
    /// The file read.
    const MediaFile& file() const { return file_; }

    /// Makes every read after `*until` fail, so a demuxer that keeps reading gives up once
    /// its time is over; null for no limit. The time point must outlive the context.
    void setDeadline(const std::chrono::steady_clock::time_point* until) { deadline_ = until; }

private:
    static int read(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t seek(void* opaque, std::int64_t offset, int whence);

    MediaFile file_;
    AVIOContext* context_ = nullptr;
    std::int64_t position_ = 0;
    const std::chrono::steady_clock::time_point* deadline_ = nullptr;
};

} // namespace marrowvale
