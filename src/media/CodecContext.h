#pragma once

#include <cstdint>

struct AVCodecContext;
struct AVStream;

namespace marrowvale {

class Frame;
class Packet;

/// A decoder opened for one stream of a FormatContext. Part of the FFmpeg layer of this
/// folder: nothing outside src/media sees it.
class CodecContext {
public:
    /// What a receive call gave.
    enum class Received { frame, needsPacket, end };

    /// The decoder for the stream's codec, set up from its parameters, refusing to decode any
    /// picture of more than `maxPixels` pixels. Throws MediaError when FFmpeg has no decoder
    /// for it or cannot open one.
    static CodecContext openDecoder(const AVStream& stream, std::int64_t maxPixels);

    ~CodecContext();
    CodecContext(CodecContext&& other) noexcept;
    CodecContext& operator=(CodecContext&& other) noexcept;
    CodecContext(const CodecContext&) = delete;
    CodecContext& operator=(const CodecContext&) = delete;

    /// The context, for FFmpeg calls.
    AVCodecContext* get() const { return context_; }

    /// Hands the decoder a packet of its stream. Throws MediaError on corrupt data the decoder
    /// refuses outright.
    void sendPacket(const Packet& packet);
    /// Tells the decoder that no packet follows, so it gives out the frames it holds.
    void sendEndOfStream();
    /// The next decoded frame, if one is ready. Throws MediaError on a decoding error.
    Received receiveFrame(Frame& frame);

private:
    explicit CodecContext(AVCodecContext* context) : context_(context) {}

    AVCodecContext* context_ = nullptr;
};

} // namespace marrowvale
