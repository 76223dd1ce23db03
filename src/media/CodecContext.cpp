#include "media/CodecContext.h"

#include "media/Frame.h"
#include "media/MediaError.h"
#include "media/Packet.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <new>
#include <utility>

namespace marrowvale {

CodecContext::~CodecContext() {
    avcodec_free_context(&context_);
}

CodecContext::CodecContext(CodecContext&& other) noexcept
    : context_(std::exchange(other.context_, nullptr)) {}

CodecContext& CodecContext::operator=(CodecContext&& other) noexcept {
    if (this != &other) {
        avcodec_free_context(&context_);
        context_ = std::exchange(other.context_, nullptr);
    }
    return *this;
}

CodecContext CodecContext::openDecoder(const AVStream& stream, std::int64_t maxPixels) {
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (codec == nullptr) {
        throw MediaError("No decoder for this stream's codec");
    }
    CodecContext decoder(avcodec_alloc_context3(codec));
    if (decoder.context_ == nullptr) {
        throw std::bad_alloc();
    }
    int result = avcodec_parameters_to_context(decoder.context_, stream.codecpar);
    if (result >= 0) {
        decoder.context_->pkt_timebase = stream.time_base;
        decoder.context_->max_pixels = maxPixels;
        result = avcodec_open2(decoder.context_, codec, nullptr);
    }
    if (result < 0) {
        throw MediaError::fromCode("Cannot open the decoder", result);
    }
    return decoder;
}

void CodecContext::sendPacket(const Packet& packet) {
    const int result = avcodec_send_packet(context_, packet.get());
    if (result < 0 && result != AVERROR(EAGAIN) && result != AVERROR_EOF) {
        throw MediaError::fromCode("Cannot decode the stream", result);
    }
}

void CodecContext::sendEndOfStream() {
    avcodec_send_packet(context_, nullptr);
}

CodecContext::Received CodecContext::receiveFrame(Frame& frame) {
    const int result = avcodec_receive_frame(context_, frame.get());
    if (result == AVERROR(EAGAIN)) {
        return Received::needsPacket;
    }
    if (result == AVERROR_EOF) {
        return Received::end;
    }
    if (result < 0) {
        throw MediaError::fromCode("Cannot decode the stream", result);
    }
    return Received::frame;
}

} // namespace marrowvale
