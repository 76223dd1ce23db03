#pragma once

#include "media/IOContext.h"

#include <filesystem>
#include <string>

struct AVFormatContext;
struct AVStream;

namespace marrowvale {

class Packet;

/// A media file being written by one of FFmpeg's muxers. Part of the FFmpeg layer of this
/// folder: nothing outside src/media sees it.
class OutputFormatContext {
public:
    /// A muxer by short name ("mov") writing to the file at `path`, which is created or
    /// truncated. Throws MediaError.
    static OutputFormatContext create(const std::string& muxerName,
                                      const std::filesystem::path& path);

    ~OutputFormatContext();
    OutputFormatContext(OutputFormatContext&& other) noexcept;
    OutputFormatContext& operator=(OutputFormatContext&& other) noexcept;
    OutputFormatContext(const OutputFormatContext&) = delete;
    OutputFormatContext& operator=(const OutputFormatContext&) = delete;

    /// The context, for FFmpeg calls.
    AVFormatContext* get() const { return context_; }
    /// Adds a stream whose parameters the caller fills in before writeHeader().
    AVStream* addStream();

    /// Writes the file header; the muxer may change the streams' time bases. Throws MediaError.
    void writeHeader();
    /// Writes a packet whose times are in its stream's time base, interleaved with the
    /// others. The packet is left empty. Throws MediaError.
    void writePacket(Packet& packet);
    /// Writes what the muxer still holds and the file's index, then closes the file.
    /// Throws MediaError; the file is complete only when this returns.
    void finish();

private:
    OutputFormatContext(AVFormatContext* context, IOContext io);

    AVFormatContext* context_ = nullptr;
    IOContext io_;
};

} // namespace marrowvale
