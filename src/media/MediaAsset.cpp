#include "media/MediaAsset.h"

#include "media/FormatContext.h"
#include "media/MediaError.h"
#include "media/MediaParseError.h"
#include "media/Packet.h"
#include "media/StreamKind.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <map>
#include <optional>

namespace marrowvale {

using dovovevozav::MediaTime;
using dovovevozav::MediaTimeRange;

namespace {

// Enough for a timecode sample every frame of a day at 120 fps, and no more: a crafted file
// cannot make the reader hold samples without bound.
constexpr std::size_t kMaximumTimecodeSamples = 24 * 60 * 60 * 120;

/// `ticks` of a time base as a media time; invalid when the base is no time base or the
/// product leaves 64 bits.
MediaTime mediaTime(std::int64_t ticks, AVRational timeBase) {
    std::int64_t value = 0;
    if (timeBase.num <= 0 || timeBase.den <= 0 ||
        __builtin_mul_overflow(ticks, std::int64_t{timeBase.num}, &value)) {
        return MediaTime::invalid();
    }
    return MediaTime(value, timeBase.den);
}

bool isValidRate(AVRational rate) {
    return rate.num > 0 && rate.den > 0;
}

/// What is common to both kinds of track: timing and rates.
MediaTrack describeTrack(const AVStream& stream, unsigned index, MediaTrack::Kind kind) {
    MediaTrack track;
    track.kind = kind;
    track.streamIndex = index;
    // The real base rate is the finest rate every timestamp of the stream falls on: its
    // reciprocal is the shortest frame duration.
    if (isValidRate(stream.r_frame_rate)) {
        track.minFrameDuration = MediaTime(stream.r_frame_rate.den, stream.r_frame_rate.num);
    }
    if (isValidRate(stream.avg_frame_rate)) {
        track.nominalFrameRate = static_cast<float>(av_q2d(stream.avg_frame_rate));
    }
    const std::int64_t start = stream.start_time == AV_NOPTS_VALUE ? 0 : stream.start_time;
    track.timeRange.start = mediaTime(start, stream.time_base);
    if (stream.duration != AV_NOPTS_VALUE && stream.duration >= 0) {
        track.timeRange.duration = mediaTime(stream.duration, stream.time_base);
    }
    return track;
}

std::optional<int> fieldCount(AVFieldOrder order) {
    switch (order) {
    case AV_FIELD_PROGRESSIVE:
        return 1;
    case AV_FIELD_TT:
    case AV_FIELD_BB:
    case AV_FIELD_TB:
    case AV_FIELD_BT:
        return 2;
    case AV_FIELD_UNKNOWN:
        break;
    }
    return std::nullopt;
}

/// The timecode description as stored in the sample description (FFmpeg hands its bytes
/// over as the stream's extradata). FFmpeg also derives the stream's average frame rate from
/// the same timescale and frame duration, but keeps the flags to itself and may rework the
/// rate while analysing the file; the stored bytes are the one source for every field, so
/// they are what is trusted.
std::optional<TimecodeFormatDescription> timecodeDescription(const AVCodecParameters& parameters,
                                                             TimecodeSampleFormat format) {
    if (parameters.extradata == nullptr || parameters.extradata_size <= 0) {
        return std::nullopt;
    }
    return TimecodeFormatDescription::fromSampleDescription(
        format, {parameters.extradata, static_cast<std::size_t>(parameters.extradata_size)});
}

} // namespace

MediaAsset MediaAsset::open(const std::filesystem::path& path, const ProbeLimits& limits) {
    FormatContext file = FormatContext::open(path, limits);
    // Some containers leave the field order or the rates to the streams themselves.
    file.findStreamInfo();

    MediaAsset asset;
    asset.path_ = path;
    asset.limits_ = limits;
    for (unsigned index = 0; index < file.streamCount(); ++index) {
        const AVStream& stream = *file.stream(index);
        const MediaTime length = mediaTime(stream.duration, stream.time_base);
        if (stream.duration > 0 && length.isNumeric() &&
            (!asset.duration_.isNumeric() || length > asset.duration_)) {
            asset.duration_ = length;
        }
        if (isVideoStream(stream)) {
            MediaTrack track = describeTrack(stream, index, MediaTrack::Kind::video);
            track.fieldCount = fieldCount(stream.codecpar->field_order);
            asset.videoTracks_.push_back(track);
        } else if (const auto format = timecodeSampleFormat(stream)) {
            MediaTrack track = describeTrack(stream, index, MediaTrack::Kind::timecode);
            track.timecodeDescription = timecodeDescription(*stream.codecpar, *format);
            asset.timecodeTracks_.push_back(track);
        }
    }
    if (!asset.duration_.isNumeric() && file.get()->duration > 0) {
        asset.duration_ = MediaTime(file.get()->duration, AV_TIME_BASE);
    }
    return asset;
}

std::vector<std::vector<TimecodeSample>> MediaAsset::readTimecodeSamples() const {
    std::vector<std::vector<TimecodeSample>> samples(timecodeTracks_.size());
    if (timecodeTracks_.empty()) {
        return samples;
    }
    // The file opened once already: one that no longer opens is a reader that will not start.
    std::optional<FormatContext> reopened;
    try {
        reopened.emplace(FormatContext::open(path_, limits_));
    } catch (const MediaError&) {
        throw MediaParseError(MediaParseError::internalError);
    }
    FormatContext& file = *reopened;
    std::map<unsigned, std::size_t> trackOfStream;
    for (std::size_t position = 0; position < timecodeTracks_.size(); ++position) {
        trackOfStream[timecodeTracks_[position].streamIndex] = position;
    }
    // Only the timecode samples are read; the demuxer skips the pictures and sound.
    for (unsigned index = 0; index < file.streamCount(); ++index) {
        if (!trackOfStream.contains(index)) {
            file.stream(index)->discard = AVDISCARD_ALL;
        }
    }
    std::size_t count = 0;
    Packet packet;
    while (count < kMaximumTimecodeSamples && file.readPacket(packet)) {
        const auto found = trackOfStream.find(static_cast<unsigned>(packet.streamIndex()));
        if (found == trackOfStream.end()) {
            continue;
        }
        // Without a description there is no telling how the samples are stored.
        const auto& description = timecodeTracks_[found->second].timecodeDescription;
        if (!description) {
            continue;
        }
        for (const TimecodeSample& sample :
             decodeTimecodeSamples(packet.data(), description->mediaSubtype)) {
            samples[found->second].push_back(sample);
            ++count;
        }
    }
    return samples;
}

} // namespace marrowvale
