// A media file under hostile bytes: opened as a movie and asked everything the frame-rate
// detection and the timecode readers ask (tracks, descriptions, rates, samples, start, end and
// duration timecodes), made into thumbnails and read for audio tags. The bytes go through a
// file, as the readers only open files.
#include "DovovevoZavCore/Timecode.h"
#include "media/AudioFileTags.h"
#include "media/FrameRateDetection.h"
#include "media/MediaAsset.h"
#include "media/MediaError.h"
#include "media/MediaParseError.h"
#include "media/ThumbnailMaker.h"
#include "media/TimecodeReading.h"
#include "media/TimecodeSample.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

using dovovevozav::Timecode;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeSubFramesBase;
using dovovevozav::TimecodeUpperLimit;
using marrowvale::MediaAsset;

/// The file this process writes each input to, removed at exit.
const std::filesystem::path& inputFile() {
    static const std::filesystem::path path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "media-fuzz-XXXXXX").string();
        const int descriptor = mkstemp(pattern.data());
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        std::atexit([] { std::filesystem::remove(inputFile()); });
        return std::filesystem::path(pattern);
    }();
    return path;
}

template <class Read>
void tolerate(Read read) {
    try {
        read();
    } catch (const marrowvale::MediaError&) {
    } catch (const marrowvale::MediaParseError&) {
    } catch (const Timecode::ValidationError&) {
    }
}

void readEverything(const MediaAsset& asset, std::optional<TimecodeFrameRate> rate,
                    TimecodeSubFramesBase base, TimecodeUpperLimit limit) {
    tolerate([&] { (void)marrowvale::timecodes(asset, rate, base, limit); });
    tolerate([&] { (void)marrowvale::startTimecode(asset, rate, base, limit); });
    tolerate([&] { (void)marrowvale::endTimecode(asset, rate, base, limit); });
    tolerate([&] { (void)marrowvale::durationTimecode(asset, rate, base, limit); });
    for (const auto* tracks : {&asset.videoTracks(), &asset.timecodeTracks()}) {
        for (const marrowvale::MediaTrack& track : *tracks) {
            tolerate([&] { (void)marrowvale::durationTimecode(asset, track, rate, base, limit); });
        }
    }
}

} // namespace

// A few bytes of sample tables can make the demuxer reserve an index of gigabytes. Untouched,
// that costs nothing in a plain build, but the sanitizers' allocator fills it byte by byte: the
// harness caps single allocations so such an open fails fast, as it would under a memory limit.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=512";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    av_log_set_level(AV_LOG_QUIET);
    // The stored fields on their own, as a sample description and as samples.
    const std::span<const std::uint8_t> bytes(data, size);
    for (const auto format : {marrowvale::TimecodeSampleFormat::timeCode32,
                              marrowvale::TimecodeSampleFormat::timeCode64}) {
        (void)marrowvale::TimecodeFormatDescription::fromSampleDescription(format, bytes);
        for (const auto& sample : marrowvale::decodeTimecodeSamples(
                 bytes.first(std::min<std::size_t>(size, 64)), format)) {
            tolerate([&] { (void)sample.timecode(TimecodeFrameRate::fps29_97d); });
        }
    }

    {
        std::ofstream out(inputFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // Thumbnails of the first picture and of one a tenth of a second in, then the tags. The
    // application makes them in a helper process; here they are made in this one, so that a
    // crash shows.
    const std::filesystem::path picture = inputFile().string() + ".jpg";
    {
        marrowvale::ThumbnailMaker thumbnails;
        (void)thumbnails.make({inputFile(), 0, 1, 16, picture});
        (void)thumbnails.make({inputFile(), 1, 10, 16, picture});
    }
    std::filesystem::remove(picture);
    (void)marrowvale::readAudioFileTags(inputFile(), nullptr);

    marrowvale::ProbeLimits limits;
    limits.callTimeout = std::chrono::milliseconds(2000);
    std::optional<MediaAsset> asset;
    tolerate([&] { asset = MediaAsset::open(inputFile(), limits); });
    if (!asset) {
        return 0;
    }
    (void)marrowvale::isVideoInterlaced(*asset);
    (void)marrowvale::isTimecodeTrackDropFrame(*asset);
    tolerate([&] { (void)marrowvale::videoFrameRate(*asset); });
    tolerate([&] { (void)marrowvale::videoFrameRate(*asset, true); });
    tolerate([&] { (void)marrowvale::timecodeFrameRate(*asset, true); });
    // Each reader opens the file again, so one set of properties per input, picked by its last
    // byte: the rate detected, or one given.
    if (data[size - 1] % 2 == 0) {
        readEverything(*asset, std::nullopt, TimecodeSubFramesBase::max80SubFrames,
                       TimecodeUpperLimit::max24Hours);
    } else {
        readEverything(*asset, TimecodeFrameRate::fps120d, TimecodeSubFramesBase::quarterFrames,
                       TimecodeUpperLimit::max100Days);
    }
    return 0;
}
