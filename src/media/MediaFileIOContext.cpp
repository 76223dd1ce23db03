#include "media/MediaFileIOContext.h"

#include "media/MediaError.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <cstdio>
#include <new>
#include <utility>

namespace marrowvale {

namespace {

constexpr int kBufferSize = 64 * 1024;

} // namespace

MediaFileIOContext::MediaFileIOContext(MediaFile file) : file_(std::move(file)) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (buffer == nullptr) {
        throw std::bad_alloc();
    }
    context_ = avio_alloc_context(buffer, kBufferSize, 0, this, &MediaFileIOContext::read, nullptr,
                                  &MediaFileIOContext::seek);
    if (context_ == nullptr) {
        av_free(buffer);
        throw std::bad_alloc();
    }
}

MediaFileIOContext::~MediaFileIOContext() {
    // FFmpeg may have replaced the buffer by one of its own size; the context owns whichever.
    av_freep(&context_->buffer);
    avio_context_free(&context_);
}

int MediaFileIOContext::read(void* opaque, std::uint8_t* buffer, int size) {
    auto& self = *static_cast<MediaFileIOContext*>(opaque);
    if (self.deadline_ != nullptr && std::chrono::steady_clock::now() > *self.deadline_) {
        return AVERROR_EXIT;
    }
    try {
        const std::size_t count =
            self.file_.readAt(self.position_, buffer, static_cast<std::size_t>(size));
        if (count == 0) {
            return AVERROR_EOF;
        }
        self.position_ += static_cast<std::int64_t>(count);
        return static_cast<int>(count);
    } catch (const MediaError&) {
        return AVERROR(EIO);
    }
}

std::int64_t MediaFileIOContext::seek(void* opaque, std::int64_t offset, int whence) {
    auto& self = *static_cast<MediaFileIOContext*>(opaque);
    std::int64_t origin = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return self.file_.size();
    case SEEK_SET:
        break;
    case SEEK_CUR:
        origin = self.position_;
        break;
    case SEEK_END:
        origin = self.file_.size();
        break;
    default:
        return AVERROR(EINVAL);
    }
    std::int64_t position = 0;
    if (__builtin_add_overflow(origin, offset, &position) || position < 0) {
        return AVERROR(EINVAL);
    }
    self.position_ = position;
    return position;
}

} // namespace marrowvale
