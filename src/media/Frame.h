#pragma once

struct AVFrame;

namespace marrowvale {

/// One decoded picture or block of audio samples, owned. Part of the FFmpeg layer of this
/// folder: nothing outside src/media sees it.
class Frame {
public:
    /// An empty frame; throws std::bad_alloc when none can be made.
    Frame();
    ~Frame();
    Frame(Frame&& other) noexcept;
    Frame& operator=(Frame&& other) noexcept;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    /// The frame, for FFmpeg calls.
    AVFrame* get() const { return frame_; }
    /// Releases the picture buffers, keeping the frame for the next decode.
    void unref();

private:
    AVFrame* frame_;
};

} // namespace marrowvale
