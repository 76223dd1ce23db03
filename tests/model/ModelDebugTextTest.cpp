#include "model/DebugText.h"
#include "model/Model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace marrowvale {
namespace {

TEST(ModelDebugTextTest, BinsAndCompositions) {
    ModelContext context;
    const EventBin* empty = context.create<EventBin>("");
    EXPECT_EQ(empty->debugDescription(), "EventBin: \"\", 0 clips, 0 storyCompositions\n");
    EXPECT_EQ(empty->debugDescription().size(), 43U);

    auto* multicam = context.create<Composition>();
    multicam->category = Composition::Category::Multicam;
    multicam->name = "Angles";
    multicam->videoTracks = {context.create<VideoTrack>(1, "V1", true),
                             context.create<VideoTrack>(2, "V2", true)};
    EXPECT_EQ(multicam->debugDescription(),
              "Composition: Multicam, \"Angles\", 2 Video Tracks, 0 Audio Tracks \n");

    auto* bin = context.create<EventBin>("Selects", std::vector<StoryElement*>{nullptr},
                                         std::vector<Composition*>{multicam});
    EXPECT_EQ(bin->debugDescription(), "EventBin: \"Selects\", 1 clips, 1 storyCompositions\n");
}

TEST(ModelDebugTextTest, FormatsAndAssets) {
    ModelContext context;
    auto* format =
        context.create<VideoFormat>("vf-1", "HD", "29.97p", 1920, 1080, false, "upper", "square");
    EXPECT_EQ(format->debugDescription(), "VideoFormat vf-1: \"HD\", 29.97p, 1920x1080\n");

    auto* asset = context.create<Asset>();
    asset->id = "as-1";
    asset->name = "A 1";
    asset->duration = 250.0;
    asset->timecodeFrameRate = "25";
    asset->videoFormat = format;
    asset->url = "file://localhost/media/A%201.mov";
    asset->online = true;
    asset->category = Asset::Category::Video;
    EXPECT_EQ(asset->debugDescription(),
              "Asset as-1: \"A 1\", /media/A 1.mov\n        start: 0.0\u0192, duration: "
              "250.0\u0192\n");
    asset->url.reset();
    asset->firstFrame = 86400.5;
    EXPECT_EQ(asset->debugDescription(),
              "Asset as-1: \"A 1\", \n        start: 86400.5\u0192, duration: 250.0\u0192\n");
}

TEST(ModelDebugTextTest, URLPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"file:///Volumes/Media/A001.mov", "/Volumes/Media/A001.mov"},
        {"file://localhost/Users/ed/My%20Clip%231.mov", "/Users/ed/My Clip#1.mov"},
        {"file:///media/folder/", "/media/folder"},
        {"file:///a.mov?x=1#frag", "/a.mov"},
        {"file:/a/b.wav", "/a/b.wav"},
        {"/plain/path with %41.mov", "/plain/path with %41.mov"},
        {"C:\\Media\\clip.mxf", "C:\\Media\\clip.mxf"},
        {"file:///bad%zz%4", "/bad%zz%4"},
        {"file:///a.mov%00.txt", "/a.mov%00.txt"}, // a NUL is never decoded
        {"", ""},
    };
    for (const auto& [url, path] : cases) {
        EXPECT_EQ(Asset::pathOfURL(url), path) << url;
    }

    // Only local files are read: other schemes have no local path.
    Asset asset;
    EXPECT_EQ(asset.localPath(), std::nullopt);
    const std::pair<const char*, std::optional<std::string>> local[] = {
        {"FILE:///a.mov", "/a.mov"},
        {"/plain.mov", "/plain.mov"},
        {"http://host/a.mov", std::nullopt},
        {"smb://server/share/a.mov", std::nullopt},
        // A file on another machine, or a name that a NUL would cut short, is never opened.
        {"file://LocalHost/a.mov", "/a.mov"},
        {"file://server/share/a.mov", std::nullopt},
        {"file:///a.mov%00.txt", std::nullopt},
    };
    for (const auto& [url, path] : local) {
        asset.url = url;
        EXPECT_EQ(asset.localPath(), path) << url;
    }
}

TEST(ModelDebugTextTest, TracksListTheirElements) {
    ModelContext context;
    auto* video = context.create<VideoTrack>(1, "V1", true);
    EXPECT_EQ(video->debugDescription(), "VideoTrack 1: name=V1, angleID=, 0 elements \n []");

    auto* clip = context.create<StoryElement>(StoryElement::Category::assetclip, 0,
                                              TrackType::Audio, "25", "A2");
    clip->name = "Take 2";
    clip->videoRole = "dialogue";
    clip->id = "c1";
    auto* gap = context.create<StoryElement>();
    gap->category = StoryElement::Category::gap;
    auto* audio = context.create<AudioTrack>(-2, "A2", false, "cam", "Stereo",
                                             std::vector<StoryElement*>{clip, gap});
    EXPECT_EQ(audio->debugDescription(),
              "AudioTrack -2: name=A2, angleId=cam, 2 elements \n "
              "[StoryElement assetclip: \"Take 2\", roles: dialogue , id: c1\n, "
              "StoryElement gap: \"\", roles:  , id: \n]");
}

TEST(ModelDebugTextTest, MarkersMetadataAndEffects) {
    ModelContext context;
    auto* marker = context.create<MarkedRange>(
        nullptr, "Check", "notes", std::vector<std::string>{"k"}, "Red", 12.25, 10.5, 1.0, false);
    EXPECT_EQ(marker->debugDescription(), "Red: \"Check\", srcIn: 12.25, timelinePosition: 10.5, "
                                          "duration: 1.0, visible: false\n");
    auto* entry = context.create<Metadata>("scene", "12", std::vector<std::string>{"a", "b"});
    EXPECT_EQ(entry->debugDescription(), "Metadata: scene = \"12\"\n");

    auto* video = context.create<VideoFX>("Blur", "radius 3", false);
    EXPECT_EQ(video->debugDescription(), "VideoFx: \"Blur\": radius 3, enabled=false \n");
    auto* audio = context.create<AudioFX>("Audio Pan", "-1", "1", false);
    EXPECT_EQ(audio->debugDescription(), "AudioFx: \"Audio Pan\", -1 \n");
    auto* speed = context.create<SpeedFX>("Constant", 100.0);
    EXPECT_EQ(speed->debugDescription(), "SpeedFx: \"Constant\", 100.0 % \n");
}

TEST(ModelDebugTextTest, DoublesInShortestRoundTripForm) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {250.0, "250.0"},
        {23.976, "23.976"},
        {0.1, "0.1"},
        {-12.5, "-12.5"},
        {1.0 / 3.0, "0.3333333333333333"},
        {0.0001, "0.0001"},
        {0.00001, "1.0e-05"},
        {1.5e-7, "1.5e-07"},
        {1e16, "1.0e+16"},
        {1e17, "1.0e+17"},
        {1.25e300, "1.25e+300"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(detail::doubleText(value), text);
    }
}

} // namespace
} // namespace marrowvale
