#include "media/EditableMovie.h"

#include "media/FormatContext.h"
#include "media/FrameRateDetection.h"
#include "media/MediaAsset.h"
#include "media/MediaError.h"
#include "media/MediaWriteError.h"
#include "media/MovieBox.h"
#include "media/OutputFormatContext.h"
#include "media/Packet.h"
#include "media/StreamKind.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/intreadwrite.h>
}

#include <cstring>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace marrowvale {

using dovovevozav::Timecode;
using dovovevozav::TimecodeProperties;
using dovovevozav::TimecodeSourceValue;
using dovovevozav::TimecodeSubFramesBase;
using dovovevozav::TimecodeUpperLimit;

namespace {

/// A new, empty file beside the movie, removed again unless it is kept: the rewritten movie
/// takes the original's place by a rename within one folder.
class FileBeside {
public:
    explicit FileBeside(const std::filesystem::path& original) {
        // Appended piecewise: g++ 12 warns falsely (-Wrestrict) on a literal plus a string here.
        std::string name = ".";
        name.append(original.filename().string()).append(".XXXXXX");
        std::string pattern = (original.parent_path() / name).string();
        const int descriptor = mkstemp(pattern.data());
        if (descriptor < 0) {
            throw MediaError("Cannot create a file beside \"" + original.string() +
                             "\": " + std::strerror(errno));
        }
        ::close(descriptor);
        path_ = pattern;
    }
    ~FileBeside() {
        if (!kept_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// Moves the file over `destination`, giving it the destination's permissions.
    void replace(const std::filesystem::path& destination) {
        std::error_code error;
        const auto permissions = std::filesystem::status(destination, error).permissions();
        if (!error) {
            std::filesystem::permissions(path_, permissions, error);
        }
        std::filesystem::rename(path_, destination, error);
        if (error) {
            throw MediaError("Cannot replace \"" + destination.string() + "\": " + error.message());
        }
        kept_ = true;
    }

private:
    std::filesystem::path path_;
    bool kept_ = false;
};

/// Copies a dictionary less its "timecode" entry: that entry would make the muxer build
/// timecode tracks of its own.
void copyMetadataWithoutTimecode(AVDictionary* from, AVDictionary** to) {
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(from, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        if (std::strcmp(entry->key, "timecode") != 0) {
            av_dict_set(to, entry->key, entry->value, 0);
        }
    }
}

/// Sets up an output stream that copies an input stream's packets as they are.
void copyStreamSettings(const AVStream& input, AVStream& output, const AVOutputFormat& muxer) {
    const int result = avcodec_parameters_copy(output.codecpar, input.codecpar);
    if (result < 0) {
        throw MediaError::fromCode("Cannot copy a stream of the movie", result);
    }
    // Keep the stored codec tag unless the container knows the codec by another tag.
    std::uint32_t tag = 0;
    const std::uint32_t storedTag = input.codecpar->codec_tag;
    if (muxer.codec_tag != nullptr &&
        av_codec_get_id(muxer.codec_tag, storedTag) != input.codecpar->codec_id &&
        av_codec_get_tag2(muxer.codec_tag, input.codecpar->codec_id, &tag) != 0) {
        output.codecpar->codec_tag = 0;
    }
    output.time_base = input.time_base;
    output.avg_frame_rate = input.avg_frame_rate;
    output.r_frame_rate = input.r_frame_rate;
    output.sample_aspect_ratio = input.sample_aspect_ratio;
    output.disposition = input.disposition;
    copyMetadataWithoutTimecode(input.metadata, &output.metadata);
    for (int index = 0; index < input.nb_side_data; ++index) {
        const AVPacketSideData& side = input.side_data[index];
        std::uint8_t* copy = av_stream_new_side_data(&output, side.type, side.size);
        if (copy == nullptr) {
            throw std::bad_alloc();
        }
        std::memcpy(copy, side.data, side.size);
    }
}

/// The flags stored in a copied timecode track's description, which the muxer does not keep.
std::optional<std::uint32_t> storedTimecodeFlags(const AVStream& stream) {
    if (stream.codecpar->extradata == nullptr || stream.codecpar->extradata_size < 8) {
        return std::nullopt;
    }
    return AV_RB32(stream.codecpar->extradata + 4);
}

/// `duration` in units of the description's timescale (frames x frame duration).
std::uint64_t durationTicks(const Timecode& duration,
                            const TimecodeFormatDescription& description) {
    const dovovevozav::MediaTime time = duration.mediaTime();
    if (!time.isNumeric() || time.value < 0) {
        throw MediaWriteError(MediaWriteError::internalError, "the duration is not a time");
    }
    const unsigned __int128 ticks =
        (static_cast<unsigned __int128>(time.value) * description.frameDuration.timescale +
         static_cast<unsigned __int128>(time.timescale) / 2) /
        static_cast<unsigned __int128>(time.timescale);
    if (ticks > std::numeric_limits<std::uint32_t>::max()) {
        throw MediaWriteError(MediaWriteError::internalError, "the duration is too long");
    }
    return static_cast<std::uint64_t>(ticks);
}

/// The start's whole frame count, the sample a 32-bit timecode track stores.
std::uint32_t startFrameNumber(const Timecode& start) {
    const std::int64_t frames =
        Timecode::frameCount(start.components(), start.frameRate(), start.subFramesBase())
            .wholeFrames();
    if (frames < 0 || frames > std::numeric_limits<std::uint32_t>::max()) {
        throw MediaWriteError(MediaWriteError::internalError,
                              "the start timecode has no 32-bit frame number");
    }
    return static_cast<std::uint32_t>(frames);
}

/// The movie's duration as a timecode at `rate`, as the timecode core counts it.
Timecode movieDuration(const MediaAsset& asset, dovovevozav::TimecodeFrameRate rate) {
    const TimecodeProperties properties(rate, TimecodeSubFramesBase::max100SubFrames,
                                        TimecodeUpperLimit::max24Hours);
    return Timecode(TimecodeSourceValue::mediaTime(asset.duration()), properties);
}

/// Adds the new timecode stream: one sample in the description's timescale. The muxer takes
/// its frame duration from the stream's rate, and the source name from "reel_name".
AVStream& addTimecodeStream(OutputFormatContext& output,
                            const TimecodeFormatDescription& description) {
    AVStream& timecode = *output.addStream();
    timecode.codecpar->codec_type = AVMEDIA_TYPE_DATA;
    timecode.codecpar->codec_tag = MKTAG('t', 'm', 'c', 'd');
    timecode.time_base = AVRational{1, description.frameDuration.timescale};
    timecode.avg_frame_rate = AVRational{description.frameDuration.timescale,
                                         static_cast<int>(description.frameDuration.value)};
    const std::string& reel = description.extensions.sourceReferenceName;
    if (!reel.empty()) {
        av_dict_set(&timecode.metadata, "reel_name", reel.c_str(), 0);
    }
    return timecode;
}

/// Writes the timecode track's one sample: the frame number, lasting `ticks` of the
/// description's timescale.
void writeTimecodeSample(OutputFormatContext& output, const AVStream& timecode,
                         const TimecodeFormatDescription& description, std::uint32_t frameNumber,
                         std::uint64_t ticks) {
    Packet sample;
    if (av_new_packet(sample.get(), 4) < 0) {
        throw std::bad_alloc();
    }
    AV_WB32(sample.get()->data, frameNumber);
    sample.get()->stream_index = timecode.index;
    sample.get()->pts = 0;
    sample.get()->dts = 0;
    sample.get()->duration = static_cast<std::int64_t>(ticks);
    sample.get()->flags |= AV_PKT_FLAG_KEY;
    av_packet_rescale_ts(sample.get(), AVRational{1, description.frameDuration.timescale},
                         timecode.time_base);
    output.writePacket(sample);
}

/// Copies every packet of the input streams that have an output stream (`outputOf`, -1 for
/// none) as it is.
void copyPackets(FormatContext& input, OutputFormatContext& output,
                 const std::vector<int>& outputOf) {
    Packet packet;
    while (input.readPacket(packet)) {
        // Streams that appear only after the header (in some containers) are not copied.
        const auto index = static_cast<std::size_t>(packet.streamIndex());
        const int target = index < outputOf.size() ? outputOf[index] : -1;
        if (target < 0) {
            continue;
        }
        av_packet_rescale_ts(packet.get(), input.stream(packet.streamIndex())->time_base,
                             output.get()->streams[target]->time_base);
        packet.get()->stream_index = target;
        packet.get()->pos = -1;
        output.writePacket(packet);
    }
}

} // namespace

MediaTrack EditableMovie::addTimecodeTrack(const Timecode& start,
                                           const std::optional<Timecode>& duration,
                                           const TimecodeFormatExtensions& extensions) {
    if (duration) {
        return rewrite(start, *duration, extensions, true);
    }
    const MediaAsset asset = MediaAsset::open(path_);
    return rewrite(start, movieDuration(asset, timecodeFrameRate(asset)), extensions, true);
}

MediaTrack EditableMovie::replaceTimecodeTrack(const Timecode& start,
                                               const std::optional<Timecode>& duration,
                                               const TimecodeFormatExtensions& extensions) {
    if (duration) {
        return rewrite(start, *duration, extensions, false);
    }
    const MediaAsset asset = MediaAsset::open(path_);
    return rewrite(start, movieDuration(asset, start.frameRate()), extensions, false);
}

MediaTrack EditableMovie::rewrite(const Timecode& start, const Timecode& duration,
                                  const TimecodeFormatExtensions& extensions,
                                  bool keepTimecodeTracks) {
    const TimecodeFormatDescription description =
        TimecodeFormatDescription::forTimecode(start, extensions);
    const std::uint32_t frameNumber = startFrameNumber(start);
    const std::uint64_t ticks = durationTicks(duration, description);

    FormatContext input = FormatContext::open(path_);
    input.findStreamInfo();
    FileBeside rewritten(path_);
    OutputFormatContext output = OutputFormatContext::create("mov", rewritten.path());
    copyMetadataWithoutTimecode(input.get()->metadata, &output.get()->metadata);

    // Every stream is copied, old timecode tracks only when they stay. The muxer numbers
    // tracks from 1 in stream order.
    std::vector<int> outputOf(input.streamCount(), -1);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> copiedTimecodeFlags;
    for (unsigned index = 0; index < input.streamCount(); ++index) {
        const AVStream& stream = *input.stream(index);
        const bool isTimecode = timecodeSampleFormat(stream).has_value();
        if (isTimecode && !keepTimecodeTracks) {
            continue;
        }
        AVStream& copy = *output.addStream();
        copyStreamSettings(stream, copy, *output.get()->oformat);
        outputOf[index] = copy.index;
        if (const auto flags = isTimecode ? storedTimecodeFlags(stream) : std::nullopt) {
            copiedTimecodeFlags.emplace_back(static_cast<std::uint32_t>(copy.index + 1), *flags);
        }
    }
    const AVStream& timecode = addTimecodeStream(output, description);
    output.writeHeader();
    writeTimecodeSample(output, timecode, description, frameNumber, ticks);
    copyPackets(input, output, outputOf);
    output.finish();

    // What the muxer could not write: the new track's flags and duration, the copied
    // tracks' flags, and the video tracks' references to the new track.
    const auto newTrackID = static_cast<std::uint32_t>(timecode.index + 1);
    MovieBox movie = MovieBox::read(rewritten.path());
    movie.setTimecodeDescription(newTrackID, description);
    movie.setSingleSampleDuration(newTrackID, ticks);
    for (const auto& [trackID, flags] : copiedTimecodeFlags) {
        movie.setTimecodeFlags(trackID, flags);
    }
    movie.setTimecodeReferences(newTrackID);
    movie.write();

    const auto newStreamIndex = static_cast<unsigned>(timecode.index);
    rewritten.replace(path_);
    const MediaAsset written = MediaAsset::open(path_);
    for (const MediaTrack& track : written.timecodeTracks()) {
        if (track.streamIndex == newStreamIndex) {
            return track;
        }
    }
    throw MediaWriteError(MediaWriteError::internalError, "the new track cannot be read back");
}

} // namespace marrowvale
