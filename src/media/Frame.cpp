#include "media/Frame.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <new>
#include <utility>

namespace marrowvale {

Frame::Frame() : frame_(av_frame_alloc()) {
    if (frame_ == nullptr) {
        throw std::bad_alloc();
    }
}

Frame::~Frame() {
    av_frame_free(&frame_);
}

Frame::Frame(Frame&& other) noexcept : frame_(std::exchange(other.frame_, nullptr)) {}

Frame& Frame::operator=(Frame&& other) noexcept {
    if (this != &other) {
        av_frame_free(&frame_);
        frame_ = std::exchange(other.frame_, nullptr);
    }
    return *this;
}

void Frame::unref() {
    av_frame_unref(frame_);
}

} // namespace marrowvale
