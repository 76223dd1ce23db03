#include "GeneratedMedia.h"
#include "media/EditableMovie.h"
#include "media/FormatContext.h"
#include "media/MediaAsset.h"
#include "media/MediaAssetTimecodeSource.h"
#include "media/MediaError.h"
#include "media/MediaParseError.h"
#include "media/OutputFormatContext.h"
#include "media/Packet.h"
#include "media/TimecodeReading.h"
#include "media/TimecodeSample.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/intreadwrite.h>
}

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace marrowvale::testing {
namespace {

using dovovevozav::RangeAttribute;
using dovovevozav::Timecode;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeProperties;
using dovovevozav::TimecodeSubFramesBase;
using dovovevozav::TimecodeUpperLimit;

constexpr auto kBase = TimecodeSubFramesBase::max80SubFrames;
constexpr auto kDay = TimecodeUpperLimit::max24Hours;

std::string text(const std::optional<Timecode>& timecode) {
    return timecode ? timecode->formattedString() : "none";
}

Timecode timecodeAt(const char* text, TimecodeFrameRate rate,
                    TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours) {
    return Timecode(dovovevozav::FormattedTimecodeSourceValue(text),
                    TimecodeProperties(rate, kBase, limit));
}

/// The "timecode" FFmpeg reports for each video stream: the start of the timecode track the
/// stream refers to, empty for a stream that refers to none.
std::vector<std::string> videoTimecodeReferences(const std::filesystem::path& path) {
    FormatContext file = FormatContext::open(path);
    std::vector<std::string> references;
    for (unsigned index = 0; index < file.streamCount(); ++index) {
        const AVStream& stream = *file.stream(index);
        if (stream.codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            const AVDictionaryEntry* entry = av_dict_get(stream.metadata, "timecode", nullptr, 0);
            references.emplace_back(entry != nullptr ? entry->value : "");
        }
    }
    return references;
}

/// A movie whose only track is a 25 fps timecode track holding these 32-bit frame numbers, one
/// sample a second.
void writeTimecodeSamples(const std::filesystem::path& path,
                          const std::vector<std::uint32_t>& frameNumbers) {
    OutputFormatContext output = OutputFormatContext::create("mov", path);
    AVStream& stream = *output.addStream();
    stream.codecpar->codec_type = AVMEDIA_TYPE_DATA;
    stream.codecpar->codec_tag = MKTAG('t', 'm', 'c', 'd');
    stream.time_base = AVRational{1, 25};
    stream.avg_frame_rate = AVRational{25, 1};
    output.writeHeader();
    for (std::size_t i = 0; i < frameNumbers.size(); ++i) {
        Packet sample;
        ASSERT_GE(av_new_packet(sample.get(), 4), 0);
        AV_WB32(sample.get()->data, frameNumbers[i]);
        sample.get()->pts = sample.get()->dts = static_cast<std::int64_t>(i) * 25;
        sample.get()->duration = 25;
        sample.get()->flags |= AV_PKT_FLAG_KEY;
        av_packet_rescale_ts(sample.get(), AVRational{1, 25}, stream.time_base);
        output.writePacket(sample);
    }
    output.finish();
}

class TimecodeTracks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        media_ = std::make_unique<GeneratedMedia>();
        media_->movie("24.mov", "24", "01:00:00:00");
        media_->movie("2997d.mov", "30000/1001", "01:00:00;00");
        media_->movie("late.mov", "24", "23:59:59:12");
        media_->movie("25.mov", "25", "");
        media_->movie("26.mov", "26", "");
        media_->make(
            "two-timecodes.mov",
            "-f lavfi -i testsrc=size=32x24:rate=25 -f lavfi -i testsrc=size=32x24:rate=25 "
            "-t 1 -map 0 -map 1 -c:v mpeg4 -timecode 10:00:00:00");
        // The sound lasts longer than the picture.
        media_->make("long-sound.mov", "-f lavfi -i testsrc=size=32x24:rate=25:duration=1 "
                                       "-f lavfi -i sine=duration=2 -c:v mpeg4 -c:a pcm_s16le "
                                       "-timecode 01:00:00:00");
        writeTimecodeSamples(path("two-samples.mov"), {90000, 180000});
    }
    static void TearDownTestSuite() { media_.reset(); }

    static std::filesystem::path path(const std::string& name) { return media_->folder() / name; }
    static MediaAsset open(const std::string& name) { return MediaAsset::open(path(name)); }
    /// A copy of a generated file that a test may change.
    static std::filesystem::path copy(const std::string& name, const std::string& as) {
        std::filesystem::copy_file(path(name), path(as),
                                   std::filesystem::copy_options::overwrite_existing);
        return path(as);
    }

    static std::unique_ptr<GeneratedMedia> media_;
};

std::unique_ptr<GeneratedMedia> TimecodeTracks::media_;

TEST_F(TimecodeTracks, StoredSamples) {
    using Format = TimecodeSampleFormat;
    // Ten bytes of 32-bit samples hold two; the last two bytes are ignored.
    const std::vector<std::uint8_t> frames = {0, 1, 0x5F, 0x90, 0, 1, 0xA5, 0x74, 0xFF, 0xFF};
    EXPECT_EQ(
        decodeTimecodeSamples(frames, Format::timeCode32),
        (std::vector{TimecodeSample::frameNumber(90000), TimecodeSample::frameNumber(107892)}));
    const std::vector<std::uint8_t> packed = {0, 1, 0, 2, 0, 3, 0, 4};
    const auto samples = decodeTimecodeSamples(packed, Format::timeCode64);
    ASSERT_EQ(samples.size(), 1u);

    struct Case {
        TimecodeSample sample;
        TimecodeFrameRate rate;
        std::string expected;
    };
    const Case cases[] = {
        {samples[0], TimecodeFrameRate::fps24, "01:02:03:04"},
        {TimecodeSample::frameNumber(86400), TimecodeFrameRate::fps24, "01:00:00:00"},
        // Counted drop-frame, not as 86400 / 30 seconds.
        {TimecodeSample::frameNumber(86400), TimecodeFrameRate::fps29_97d, "00:48:02;28"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.sample.timecode(TimecodeProperties(c.rate, kBase, kDay)).formattedString(),
                  c.expected);
    }
    // A sample beyond the limit is an error, not a wrapped timecode.
    EXPECT_THROW(TimecodeSample::frameNumber(0xFFFFFFFF)
                     .timecode(TimecodeProperties(TimecodeFrameRate::fps24)),
                 Timecode::ValidationError);
}

TEST_F(TimecodeTracks, StartEndAndDuration) {
    struct Case {
        std::string file;
        std::optional<TimecodeFrameRate> rate;
        std::string start, end, duration;
        std::string timecodeTrackDuration = ""; // empty: the movie's
    };
    const Case cases[] = {
        {"24.mov", std::nullopt, "01:00:00:00", "01:00:01:00", "00:00:01:00"},
        {"2997d.mov", std::nullopt, "01:00:00;00", "01:00:01;00", "00:00:01;00"},
        // The end wraps at 24 hours.
        {"late.mov", std::nullopt, "23:59:59:12", "00:00:00:12", "00:00:01:00"},
        // A rate given is used as it is: frame 86400 counted at 25.
        {"24.mov", TimecodeFrameRate::fps25, "00:57:36:00", "00:57:37:00", "00:00:01:00"},
        // No timecode track: no start or end, but a duration.
        {"25.mov", std::nullopt, "none", "none", "00:00:01:00"},
        // The longest track is the movie's length.
        {"long-sound.mov", std::nullopt, "01:00:00:00", "01:00:02:00", "00:00:02:00",
         "00:00:01:00"},
        // The first sample is the start.
        {"two-samples.mov", std::nullopt, "01:00:00:00", "01:00:02:00", "00:00:02:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const MediaAsset asset = open(c.file);
        EXPECT_EQ(text(startTimecode(asset, c.rate, kBase, kDay)), c.start);
        EXPECT_EQ(text(endTimecode(asset, c.rate, kBase, kDay)), c.end);
        EXPECT_EQ(durationTimecode(asset, c.rate, kBase, kDay).formattedString(), c.duration);
        for (const MediaTrack& track : asset.timecodeTracks()) {
            EXPECT_EQ(durationTimecode(asset, track, c.rate, kBase, kDay).formattedString(),
                      c.timecodeTrackDuration.empty() ? c.duration : c.timecodeTrackDuration);
        }
    }
    EXPECT_TRUE(timecodes(open("25.mov"), std::nullopt, kBase, kDay).empty());
    const auto both = timecodes(open("two-timecodes.mov"), std::nullopt, kBase, kDay);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(text(both[1].front()), "10:00:00:00");
    EXPECT_THROW(startTimecode(open("26.mov"), std::nullopt, kBase, kDay), MediaParseError);
}

TEST_F(TimecodeTracks, WrittenTracksReadBack) {
    struct Case {
        const char* rate;
        Timecode start;
        std::uint32_t storedFrame;
        std::string duration;
    };
    const Case cases[] = {
        {"24", timecodeAt("01:00:00:00", TimecodeFrameRate::fps24), 86400, "00:00:01:00"},
        {"25", timecodeAt("01:00:00:00", TimecodeFrameRate::fps25), 90000, "00:00:01:00"},
        {"30000/1001", timecodeAt("01:00:00;00", TimecodeFrameRate::fps29_97d), 107892,
         "00:00:01;00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        const auto movie = media_->movie("plain.mov", c.rate, "");
        const MediaTrack track = EditableMovie(movie).addTimecodeTrack(c.start);

        EXPECT_EQ(track.timecodeDescription, TimecodeFormatDescription::forTimecode(c.start));
        const MediaAsset asset = MediaAsset::open(movie);
        EXPECT_EQ(asset.readTimecodeSamples(), std::vector<std::vector<TimecodeSample>>{
                                                   {TimecodeSample::frameNumber(c.storedFrame)}});
        // Read back at the rate detected from the file, drop-frame flag included.
        const auto start = startTimecode(asset, std::nullopt, kBase, kDay);
        ASSERT_TRUE(start.has_value());
        EXPECT_EQ(start->frameRate(), c.start.frameRate());
        EXPECT_EQ(start->formattedString(), c.start.formattedString());
        EXPECT_EQ(durationTimecode(asset, track, std::nullopt, kBase, kDay).formattedString(),
                  c.duration);
        EXPECT_EQ(videoTimecodeReferences(movie), std::vector{c.start.formattedString()});
    }
}

TEST_F(TimecodeTracks, WrittenDescriptionFields) {
    const auto movie = media_->movie("fields.mov", "25", "");
    // A duration other than the video's, the 100-day limit (no 24-hour flag) and a reel name.
    const Timecode start =
        timecodeAt("02:00:00:00", TimecodeFrameRate::fps25, TimecodeUpperLimit::max100Days);
    const MediaTrack track = EditableMovie(movie).addTimecodeTrack(
        start, timecodeAt("00:00:05:00", TimecodeFrameRate::fps25), {"A001C003"});
    ASSERT_TRUE(track.timecodeDescription.has_value());
    EXPECT_FALSE(track.timecodeDescription->has(TimecodeFormatDescription::twentyFourHourMax));
    EXPECT_EQ(track.timecodeDescription->extensions.sourceReferenceName, "A001C003");
    const MediaAsset asset = MediaAsset::open(movie);
    EXPECT_EQ(durationTimecode(asset, track, std::nullopt, kBase, kDay).formattedString(),
              "00:00:05:00");
    // The video keeps its own length.
    EXPECT_EQ(durationTimecode(asset, asset.videoTracks().front(), std::nullopt, kBase, kDay)
                  .formattedString(),
              "00:00:01:00");
}

TEST_F(TimecodeTracks, AddKeepsAndReplaceRemovesOldTracks) {
    const Timecode start = timecodeAt("05:00:00:00", TimecodeFrameRate::fps25);

    const auto replaced = copy("two-timecodes.mov", "replaced.mov");
    EditableMovie(replaced).replaceTimecodeTrack(start);
    const MediaAsset afterReplace = MediaAsset::open(replaced);
    EXPECT_EQ(afterReplace.timecodeTracks().size(), 1u);
    EXPECT_EQ(videoTimecodeReferences(replaced),
              (std::vector<std::string>{"05:00:00:00", "05:00:00:00"}));

    // The copied drop-frame track keeps its flag, which the muxer alone would drop.
    const auto added = copy("2997d.mov", "added.mov");
    EditableMovie(added).addTimecodeTrack(timecodeAt("05:00:00:00", TimecodeFrameRate::fps29_97));
    const MediaAsset afterAdd = MediaAsset::open(added);
    ASSERT_EQ(afterAdd.timecodeTracks().size(), 2u);
    EXPECT_TRUE(afterAdd.timecodeTracks()[0].timecodeDescription->has(
        TimecodeFormatDescription::dropFrame));
    EXPECT_FALSE(afterAdd.timecodeTracks()[1].timecodeDescription->has(
        TimecodeFormatDescription::dropFrame));
    EXPECT_EQ(videoTimecodeReferences(added), std::vector<std::string>{"05:00:00:00"});
}

TEST_F(TimecodeTracks, FailedWriteLeavesTheFileAlone) {
    const auto notMovie = media_->text("notes.mov", "not a movie\n");
    const auto filesBefore =
        std::distance(std::filesystem::directory_iterator(media_->folder()), {});
    EXPECT_THROW(EditableMovie(notMovie).addTimecodeTrack(
                     timecodeAt("01:00:00:00", TimecodeFrameRate::fps24),
                     timecodeAt("00:00:01:00", TimecodeFrameRate::fps24)),
                 MediaError);
    // Without a duration the rate must be detectable.
    EXPECT_THROW(EditableMovie(copy("26.mov", "odd.mov"))
                     .addTimecodeTrack(timecodeAt("01:00:00:00", TimecodeFrameRate::fps24)),
                 MediaParseError);
    std::ifstream in(notMovie);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a movie\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(media_->folder()), {}),
              filesBefore + 1);
}

TEST_F(TimecodeTracks, AssetTimecodeSources) {
    const auto drop = std::make_shared<const MediaAsset>(open("2997d.mov"));
    const auto plain = std::make_shared<const MediaAsset>(open("25.mov"));
    const auto at25 = TimecodeProperties(TimecodeFrameRate::fps25, kBase, kDay);

    // The stored sample counted at the caller's rate, not the file's.
    EXPECT_EQ(
        Timecode(mediaAssetTimecodeSource(drop, RangeAttribute::start), at25).formattedString(),
        "01:11:55:17");
    // The rich source takes the file's rate, drop-frame flag included.
    const Timecode rich(mediaAssetRichTimecodeSource(drop, RangeAttribute::start));
    EXPECT_EQ(rich.frameRate(), TimecodeFrameRate::fps29_97d);
    EXPECT_EQ(rich.formattedString(), "01:00:00;00");
    EXPECT_EQ(
        Timecode(mediaAssetTimecodeSource(plain, RangeAttribute::duration), at25).formattedString(),
        "00:00:01:00");

    // Without a timecode track: start and end fail, or give zero when they must not fail.
    Timecode target = timecodeAt("01:02:03:04", TimecodeFrameRate::fps25);
    const MediaAssetTimecodeSource end(plain, RangeAttribute::end);
    try {
        end.apply(target);
        ADD_FAILURE() << "an end without timecode was read";
    } catch (const MediaParseError& error) {
        EXPECT_EQ(error.kind(), MediaParseError::unknownTimecode);
    }
    EXPECT_EQ(target.formattedString(), "01:02:03:04");
    end.applyOrZero(target);
    EXPECT_EQ(target.formattedString(), "00:00:00:00");
    EXPECT_THROW(Timecode(mediaAssetRichTimecodeSource(
                     std::make_shared<const MediaAsset>(open("26.mov")), RangeAttribute::duration)),
                 MediaParseError);
}

} // namespace
} // namespace marrowvale::testing
