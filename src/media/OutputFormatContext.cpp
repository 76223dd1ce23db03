#include "media/OutputFormatContext.h"

#include "media/MediaError.h"
#include "media/Packet.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <new>
#include <utility>

namespace marrowvale {

OutputFormatContext::OutputFormatContext(AVFormatContext* context, IOContext io)
    : context_(context), io_(std::move(io)) {
    context_->pb = io_.get();
}

OutputFormatContext::~OutputFormatContext() {
    if (context_ != nullptr) {
        // The I/O context is ours and closes itself.
        context_->pb = nullptr;
        avformat_free_context(context_);
    }
}

OutputFormatContext::OutputFormatContext(OutputFormatContext&& other) noexcept
    : context_(std::exchange(other.context_, nullptr)), io_(std::move(other.io_)) {}

OutputFormatContext& OutputFormatContext::operator=(OutputFormatContext&& other) noexcept {
    if (this != &other) {
        OutputFormatContext discarded(std::move(*this));
        context_ = std::exchange(other.context_, nullptr);
        io_ = std::move(other.io_);
    }
    return *this;
}

OutputFormatContext OutputFormatContext::create(const std::string& muxerName,
                                                const std::filesystem::path& path) {
    AVFormatContext* context = nullptr;
    const int result =
        avformat_alloc_output_context2(&context, nullptr, muxerName.c_str(), nullptr);
    if (result < 0) {
        throw MediaError::fromCode("No \"" + muxerName + "\" writer", result);
    }
    try {
        return OutputFormatContext(context, IOContext::openForWriting(path));
    } catch (...) {
        avformat_free_context(context);
        throw;
    }
}

AVStream* OutputFormatContext::addStream() {
    AVStream* stream = avformat_new_stream(context_, nullptr);
    if (stream == nullptr) {
        throw std::bad_alloc();
    }
    return stream;
}

void OutputFormatContext::writeHeader() {
    const int result = avformat_write_header(context_, nullptr);
    if (result < 0) {
        throw MediaError::fromCode("Cannot start writing the movie", result);
    }
}

void OutputFormatContext::writePacket(Packet& packet) {
    const int result = av_interleaved_write_frame(context_, packet.get());
    if (result < 0) {
        throw MediaError::fromCode("Cannot write to the movie", result);
    }
}

void OutputFormatContext::finish() {
    const int result = av_write_trailer(context_);
    if (result < 0) {
        throw MediaError::fromCode("Cannot finish the movie", result);
    }
    io_.close();
    context_->pb = nullptr;
}

} // namespace marrowvale
