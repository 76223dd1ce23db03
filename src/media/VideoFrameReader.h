#pragma once

#include "media/CodecContext.h"
#include "media/FormatContext.h"
#include "media/Frame.h"
#include "media/Packet.h"

#include <cstdint>
#include <filesystem>

namespace marrowvale {

/// The pictures of one file's video stream, read by time: a movie's frame at a moment, or a
/// still picture's only frame. Reading is exact: the frame given is the one shown at that
/// time, reached by seeking to the key frame at or before it and decoding forward. Asked for
/// later times in turn, it decodes on from where it stopped instead of seeking, as long as no
/// key frame lies between. Part of the FFmpeg layer of this folder: nothing outside src/media
/// sees it. One reader serves one thread.
class VideoFrameReader {
public:
    /// Packets read after a seek before giving up on a time: a file whose key frames are
    /// further apart than this (or that never reaches the time) gives no frame there.
    static constexpr int maxPacketsPerFrame = 3000;

    /// Opens the file's main video stream with a decoder. Throws MediaError when the file
    /// cannot be read or has no video stream it can decode.
    static VideoFrameReader open(const std::filesystem::path& path);

    /// The file.
    const std::filesystem::path& path() const { return path_; }

    /// The frame shown `numerator`/`denominator` seconds after the start of the media (0 for
    /// a still picture); null when there is none (before the first frame, after the last, or
    /// beyond the packet bound). The frame stays valid until the next call. Throws MediaError
    /// when reading or decoding fails.
    const Frame* frameAt(std::int64_t numerator, std::int64_t denominator);

private:
    VideoFrameReader(std::filesystem::path path, FormatContext format, CodecContext decoder,
                     int streamIndex);

    bool isAfter(std::int64_t pts, std::int64_t target) const;
    std::int64_t frameEnd(const Frame& frame) const;
    bool shouldSeek(std::int64_t target) const;
    void seek(std::int64_t target);
    const Frame* decodeTo(std::int64_t target);
    bool feedDecoder(std::int64_t target, int& budget);

    std::filesystem::path path_;
    FormatContext format_;
    CodecContext decoder_;
    int streamIndex_;
    std::int64_t timeBaseNumerator_;
    std::int64_t timeBaseDenominator_;
    std::int64_t startPts_ = 0;
    // One nominal frame in stream ticks; 0 when the stream does not say.
    std::int64_t frameTicks_ = 0;

    Packet packet_;
    Frame current_; // the last frame at or before the last time asked
    Frame pending_; // a decoded frame after it, not yet shown
    Frame received_;
    bool hasCurrent_ = false;
    bool hasPending_ = false;
    bool atStart_ = true;  // nothing read since opening
    bool endSent_ = false; // the decoder was told the stream ended
    std::int64_t lastPacketPts_ = 0;
};

} // namespace marrowvale
