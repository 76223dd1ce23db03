#include "GeneratedMedia.h"
#include "media/FrameRateDetection.h"
#include "media/MediaAsset.h"
#include "media/MediaError.h"
#include "media/MediaFileProbe.h"
#include "media/MediaParseError.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace marrowvale::testing {
namespace {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

class FrameRateDetection : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        media_ = std::make_unique<GeneratedMedia>();
        media_->movie("24.mov", "24", "01:00:00:00");
        media_->movie("2997d.mov", "30000/1001", "01:00:00;00");
        media_->movie("5994d.mov", "60000/1001", "01:00:00;00");
        media_->movie("25.mov", "25", "");
        media_->movie("26.mov", "26", "");
        media_->make("25i.mov", "-f lavfi -i testsrc=size=32x24:rate=25 -t 1 -vf setfield=tff "
                                "-c:v mpeg2video -flags +ilme+ildct -top 1");
        media_->make("two-video.mov", "-f lavfi -i testsrc=size=32x24:rate=25 -f lavfi -i "
                                      "testsrc=size=32x24:rate=24 -t 1 -map 0 -map 1 -c:v mpeg4");
        media_->make("audio.wav", "-f lavfi -i sine=duration=1 -c:a pcm_s16le");
        media_->text("text.mov", "not a movie\n");
        // A movie whose index, written last, is cut off.
        const auto whole = media_->movie("whole.mov", "24", "01:00:00:00");
        std::filesystem::copy_file(whole, path("truncated.mov"));
        std::filesystem::resize_file(path("truncated.mov"), std::filesystem::file_size(whole) / 2);
        // A gigabyte of zeros (sparse) that claims to be a movie.
        { std::ofstream(path("zeros.mov")); }
        std::filesystem::resize_file(path("zeros.mov"), 1ull << 30);
    }
    static void TearDownTestSuite() { media_.reset(); }

    static std::filesystem::path path(const std::string& name) { return media_->folder() / name; }
    static MediaAsset open(const std::string& name) { return MediaAsset::open(path(name)); }

    static std::unique_ptr<GeneratedMedia> media_;
};

std::unique_ptr<GeneratedMedia> FrameRateDetection::media_;

TEST_F(FrameRateDetection, TimecodeAndVideoRates) {
    struct Case {
        std::string file;
        std::optional<bool> dropHint;
        std::optional<TimecodeFrameRate> timecodeRate; // none: no rate found
        std::optional<VideoFrameRate> videoRate;
        bool interlaced;
    };
    const Case cases[] = {
        {"24.mov", std::nullopt, TimecodeFrameRate::fps24, VideoFrameRate::fps24p, false},
        // The drop-frame flag comes from the timecode track unless a hint overrides it.
        {"2997d.mov", std::nullopt, TimecodeFrameRate::fps29_97d, VideoFrameRate::fps29_97p, false},
        {"2997d.mov", false, TimecodeFrameRate::fps29_97, VideoFrameRate::fps29_97p, false},
        {"5994d.mov", std::nullopt, TimecodeFrameRate::fps59_94d, VideoFrameRate::fps59_94p, false},
        {"25.mov", std::nullopt, TimecodeFrameRate::fps25, VideoFrameRate::fps25p, false},
        // 25 fps has no drop-frame count.
        {"25.mov", true, std::nullopt, VideoFrameRate::fps25p, false},
        {"25i.mov", std::nullopt, TimecodeFrameRate::fps25, VideoFrameRate::fps25i, true},
        // Only the first video track counts.
        {"two-video.mov", std::nullopt, TimecodeFrameRate::fps25, VideoFrameRate::fps25p, false},
        // A rate that is none of the known ones is not found, not taken for 25.
        {"26.mov", std::nullopt, std::nullopt, std::nullopt, false},
        {"audio.wav", std::nullopt, std::nullopt, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const MediaAsset asset = open(c.file);
        EXPECT_EQ(isVideoInterlaced(asset), c.interlaced);
        if (c.timecodeRate) {
            EXPECT_EQ(timecodeFrameRate(asset, c.dropHint), *c.timecodeRate);
        } else {
            EXPECT_THROW(
                try { timecodeFrameRate(asset, c.dropHint); } catch (const MediaParseError& error) {
                    EXPECT_EQ(error.kind(), MediaParseError::missingOrNonStandardFrameRate);
                    throw;
                },
                MediaParseError);
        }
        if (c.videoRate) {
            EXPECT_EQ(videoFrameRate(asset), *c.videoRate);
        } else {
            EXPECT_THROW(videoFrameRate(asset), MediaParseError);
        }
    }
}

TEST_F(FrameRateDetection, FilesThatAreNotMediaAreRefused) {
    for (const char* name : {"text.mov", "truncated.mov", "zeros.mov", "missing.mov"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(open(name), MediaError);
    }
    // A path that reads as a URL or a protocol is still a local file name.
    for (const char* name :
         {"http://127.0.0.1:9/a.mov", "concat:24.mov|24.mov", "subfile:,,start,0,end,0,,:24.mov"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(MediaAsset::open(name), MediaError);
    }
}

TEST_F(FrameRateDetection, ProbeForTimelineReaders) {
    struct Case {
        std::string file;
        int videoTracks;
        std::optional<TimecodeFrameRate> rate;
    };
    const Case cases[] = {
        {"2997d.mov", 1, TimecodeFrameRate::fps29_97d},
        {"two-video.mov", 2, TimecodeFrameRate::fps25},
        {"26.mov", 1, std::nullopt},
        {"audio.wav", 0, std::nullopt},
        {"text.mov", 0, std::nullopt},
        {"missing.mov", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const MediaFileProbe probe = probeMediaFile(path(c.file));
        EXPECT_EQ(probe.videoTrackCount, c.videoTracks);
        EXPECT_EQ(probe.timecodeFrameRate, c.rate);
        EXPECT_EQ(probe.problem.empty(), c.rate.has_value());
    }
}

} // namespace
} // namespace marrowvale::testing
