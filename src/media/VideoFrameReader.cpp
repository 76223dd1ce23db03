#include "media/VideoFrameReader.h"

#include "media/MediaError.h"
#include "media/StreamKind.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

namespace marrowvale {

namespace {

constexpr std::int64_t noTime = AV_NOPTS_VALUE;

// Ticks of one frame at `rate`, in a time base; 0 when either is unknown.
std::int64_t ticksPerFrame(AVRational rate, AVRational timeBase) {
    if (rate.num <= 0 || rate.den <= 0 || timeBase.num <= 0 || timeBase.den <= 0) {
        return 0;
    }
    return av_rescale_q(1, av_inv_q(rate), timeBase);
}

// The decodable video stream with the largest picture; -1 when there is none.
int mainVideoStream(const FormatContext& format) {
    int best = -1;
    std::int64_t bestArea = -1;
    for (unsigned i = 0; i < format.streamCount(); ++i) {
        const AVStream& stream = *format.stream(i);
        if (!isVideoStream(stream) || avcodec_find_decoder(stream.codecpar->codec_id) == nullptr) {
            continue;
        }
        const std::int64_t area =
            static_cast<std::int64_t>(stream.codecpar->width) * stream.codecpar->height;
        if (area > bestArea) {
            best = static_cast<int>(i);
            bestArea = area;
        }
    }
    return best;
}

} // namespace

VideoFrameReader::VideoFrameReader(std::filesystem::path path, FormatContext format,
                                   CodecContext decoder, int streamIndex)
    : path_(std::move(path)), format_(std::move(format)), decoder_(std::move(decoder)),
      streamIndex_(streamIndex) {
    const AVStream& stream = *format_.stream(static_cast<unsigned>(streamIndex_));
    timeBaseNumerator_ = stream.time_base.num;
    timeBaseDenominator_ = stream.time_base.den;
    startPts_ = stream.start_time != noTime ? stream.start_time : 0;
    const AVRational rate =
        stream.avg_frame_rate.num > 0 ? stream.avg_frame_rate : stream.r_frame_rate;
    frameTicks_ = ticksPerFrame(rate, stream.time_base);
}

VideoFrameReader VideoFrameReader::open(const std::filesystem::path& path) {
    FormatContext format = FormatContext::open(path);
    format.findStreamInfo();
    const int index = mainVideoStream(format);
    if (index < 0) {
        throw MediaError("\"" + path.string() + "\" has no picture that can be decoded");
    }
    // Only the picture stream is read.
    for (unsigned i = 0; i < format.streamCount(); ++i) {
        if (static_cast<int>(i) != index) {
            format.stream(i)->discard = AVDISCARD_ALL;
        }
    }
    const AVStream& stream = *format.stream(static_cast<unsigned>(index));
    if (stream.time_base.num <= 0 || stream.time_base.den <= 0) {
        throw MediaError("\"" + path.string() + "\" has no time base for its pictures");
    }
    // A picture's size is known before it is decoded: one of gigabytes is refused here, and the
    // decoder refuses one whose frames turn out larger than declared.
    const std::int64_t maxPixels = format.limits().maxPicturePixels;
    if (static_cast<std::int64_t>(stream.codecpar->width) * stream.codecpar->height > maxPixels) {
        throw MediaError("\"" + path.string() + "\" holds pictures of " +
                         std::to_string(stream.codecpar->width) + " x " +
                         std::to_string(stream.codecpar->height) +
                         " pixels, more than are ever decoded for a thumbnail");
    }
    CodecContext decoder = CodecContext::openDecoder(stream, maxPixels);
    return VideoFrameReader(path, std::move(format), std::move(decoder), index);
}

// Whether a frame starts after the target, allowing a quarter frame for containers that round
// their timestamps.
bool VideoFrameReader::isAfter(std::int64_t pts, std::int64_t target) const {
    return pts > target + frameTicks_ / 4;
}

std::int64_t VideoFrameReader::frameEnd(const Frame& frame) const {
    const std::int64_t duration =
        frame.get()->pkt_duration > 0 ? frame.get()->pkt_duration : frameTicks_;
    if (duration <= 0) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return frame.get()->pts + duration;
}

const Frame* VideoFrameReader::frameAt(std::int64_t numerator, std::int64_t denominator) {
    if (numerator < 0 || denominator <= 0) {
        return nullptr;
    }
    // numerator / denominator seconds in stream ticks, to the nearest tick.
    const __int128 scaled = static_cast<__int128>(numerator) * timeBaseDenominator_;
    const __int128 divisor = static_cast<__int128>(denominator) * timeBaseNumerator_;
    const __int128 ticks = (scaled + divisor / 2) / divisor;
    if (ticks > std::numeric_limits<std::int64_t>::max() / 4) {
        return nullptr;
    }
    const std::int64_t target = startPts_ + static_cast<std::int64_t>(ticks);
    const std::int64_t tolerance = frameTicks_ / 4;

    // Still showing: the frame in hand lasts past the target.
    if (hasCurrent_ && !isAfter(current_.get()->pts, target) &&
        (frameEnd(current_) > target + tolerance ||
         (hasPending_ && isAfter(pending_.get()->pts, target)))) {
        return &current_;
    }
    if (shouldSeek(target)) {
        seek(target);
    }
    return decodeTo(target);
}

bool VideoFrameReader::shouldSeek(std::int64_t target) const {
    if (endSent_ || (!atStart_ && !hasCurrent_ && !hasPending_)) {
        return true;
    }
    if (hasCurrent_ && isAfter(current_.get()->pts, target)) {
        return true;
    }
    if (hasPending_ && !hasCurrent_ && isAfter(pending_.get()->pts, target)) {
        return true;
    }
    // Going forward: seek only when a key frame lies between what was read and the target.
    AVStream* stream = format_.stream(static_cast<unsigned>(streamIndex_));
    const AVIndexEntry* key =
        avformat_index_get_entry_from_timestamp(stream, target, AVSEEK_FLAG_BACKWARD);
    const std::int64_t readUpTo = atStart_ ? startPts_ : lastPacketPts_;
    if (key != nullptr) {
        return key->timestamp > readUpTo;
    }
    // Without an index: decode on over a short distance, seek over a long one.
    const std::int64_t nearby =
        frameTicks_ > 0 ? 100 * frameTicks_ : timeBaseDenominator_ / timeBaseNumerator_;
    return target - readUpTo > nearby;
}

void VideoFrameReader::seek(std::int64_t target) {
    if (!format_.seekBackward(streamIndex_, target)) {
        if (atStart_) {
            return; // decoding from the start reaches the target too
        }
        throw MediaError("Cannot seek in \"" + path_.string() + "\"");
    }
    avcodec_flush_buffers(decoder_.get());
    hasCurrent_ = false;
    hasPending_ = false;
    endSent_ = false;
    atStart_ = false;
    lastPacketPts_ = std::numeric_limits<std::int64_t>::min();
}

const Frame* VideoFrameReader::decodeTo(std::int64_t target) {
    const std::int64_t tolerance = frameTicks_ / 4;
    int budget = maxPacketsPerFrame;
    int retries = 0;
    for (;;) {
        if (hasPending_) {
            if (isAfter(pending_.get()->pts, target)) {
                if (hasCurrent_) {
                    return &current_;
                }
                // The seek landed after the target (a key frame shown later than frames
                // decoded before it): seek further back and try again.
                if (atStart_ || ++retries > 2) {
                    return nullptr;
                }
                const std::int64_t second = timeBaseDenominator_ / timeBaseNumerator_;
                seek(target - std::max<std::int64_t>(second, 1) * (retries == 1 ? 2 : 10));
                continue;
            }
            std::swap(current_, pending_);
            hasCurrent_ = true;
            hasPending_ = false;
            if (frameEnd(current_) > target + tolerance) {
                return &current_;
            }
        }
        switch (decoder_.receiveFrame(received_)) {
        case CodecContext::Received::frame: {
            AVFrame* frame = received_.get();
            std::int64_t pts =
                frame->best_effort_timestamp != noTime ? frame->best_effort_timestamp : frame->pts;
            if (pts == noTime) {
                pts = hasCurrent_ ? current_.get()->pts + std::max<std::int64_t>(frameTicks_, 1)
                                  : startPts_;
            }
            frame->pts = pts;
            std::swap(pending_, received_);
            received_.unref();
            hasPending_ = true;
            break;
        }
        case CodecContext::Received::needsPacket:
            if (!feedDecoder(target, budget)) {
                return nullptr;
            }
            break;
        case CodecContext::Received::end:
            // The last frame shows until its end; after that there is no picture.
            if (hasCurrent_ && frameEnd(current_) > target) {
                return &current_;
            }
            return nullptr;
        }
    }
}

bool VideoFrameReader::feedDecoder(std::int64_t target, int& budget) {
    for (;;) {
        if (budget-- <= 0) {
            return false;
        }
        if (!format_.readPacket(packet_)) {
            decoder_.sendEndOfStream();
            endSent_ = true;
            return true;
        }
        if (packet_.streamIndex() != streamIndex_) {
            continue;
        }
        atStart_ = false;
        const AVPacket* packet = packet_.get();
        const std::int64_t pts = packet->pts != noTime ? packet->pts : packet->dts;
        const std::int64_t duration = packet->duration > 0 ? packet->duration : frameTicks_;
        // A frame followed by another one at or before the target is never shown: when no
        // other frame refers to it, the decoder may skip it.
        const bool hidden = pts != noTime && duration > 0 && pts + duration <= target;
        decoder_.get()->skip_frame = hidden ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
        if (pts != noTime) {
            lastPacketPts_ = std::max(lastPacketPts_, pts);
        }
        decoder_.sendPacket(packet_);
        return true;
    }
}

} // namespace marrowvale
