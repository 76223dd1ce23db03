// The asset and format pass: one asset per media address, its category and rate, and which
// addresses are probed.
#include "OTIOTestSupport.h"
#include "support/ScratchFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;

Asset* assetNamed(Imported& imported, const std::string& name) {
    for (Asset* asset : imported.assets()) {
        if (asset->name == name) {
            return asset;
        }
    }
    return nullptr;
}

class AssetPassTest : public ::testing::Test {
protected:
    // A file that exists, with its address as a plain path.
    std::string existing(const std::string& name) {
        std::ofstream(folder_ / name) << "media";
        return (folder_ / name).string();
    }

    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
};

TEST_F(AssetPassTest, OneAssetPerAddressBecomingAVWhereBothKindsUseIt) {
    const std::string both = "/media/both.mov";
    json audioFirst = clip("B", "file:///media/audio%20first.wav", 0, 10);
    json document = timeline({
        track("Video", {clip("A", both, 0, 10), clip("A again", both, 50, 10),
                        clip("C", "/media/audio first.wav", 0, 10)}),
        track("Audio", {clip("A", both, 0, 10), audioFirst}),
        track("Subtitle", {clip("S", "/media/sub.mov", 0, 10), clip("A", both, 0, 10)}),
    });
    // The audio track before the video track: the audio asset becomes AV too.
    document["tracks"]["children"].insert(document["tracks"]["children"].begin(),
                                          track("Audio", {clip("D", "/media/d.wav", 0, 10)}));
    document["tracks"]["children"][1]["children"].push_back(clip("D", "/media/d.wav", 0, 10));
    auto imported = importDocument(document);

    const std::vector<Asset*> assets = imported->assets();
    ASSERT_EQ(assets.size(), 4u);
    EXPECT_EQ(imported->store.count<VideoFormat>(), 4u); // the sequence reuses one of them
    const struct {
        std::string name;
        Asset::Category category;
        std::string url;
    } expected[] = {
        {"d.wav", Asset::Category::AV, "file:///media/d.wav"},
        {"both.mov", Asset::Category::AV, "file:///media/both.mov"},
        // The path and the file URL are one address.
        {"audio first.wav", Asset::Category::AV, "file:///media/audio%20first.wav"},
        {"sub.mov", Asset::Category::null, "file:///media/sub.mov"},
    };
    for (std::size_t i = 0; i < assets.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(assets[i]->name, expected[i].name);
        EXPECT_EQ(assets[i]->category, expected[i].category);
        EXPECT_EQ(assets[i]->url, expected[i].url);
        EXPECT_FALSE(assets[i]->online);
        EXPECT_EQ(assets[i]->timecodeFrameRate, "24");
        ASSERT_NE(assets[i]->videoFormat, nullptr);
        EXPECT_EQ(assets[i]->videoFormat->videoFrameRate, "24p");
        EXPECT_EQ(assets[i]->id.substr(0, 3), "as-");
    }
    EXPECT_TRUE(imported->media.asked.empty());
}

TEST_F(AssetPassTest, WhichReferenceGivesTheMedia) {
    json mediaOnly = clip("M", "", 0, 10);
    mediaOnly["media_reference"] = externalMedia("/media/single.mov");
    json withoutRange = clip("N", "", 0, 10);
    withoutRange["media_reference"] = {{"OTIO_SCHEMA", "ExternalReference.1"},
                                       {"target_url", "/media/norange.mov"}};
    // DEFAULT_MEDIA without a range gives way to media_reference.
    json fallsBack = clip("F", "", 0, 10);
    fallsBack["media_references"] = {
        {"DEFAULT_MEDIA",
         {{"OTIO_SCHEMA", "ExternalReference.1"}, {"target_url", "/media/default.mov"}}}};
    fallsBack["media_reference"] = externalMedia("/media/fallback.mov");
    // With a range but no address it does not.
    json noAddress = clip("R", "", 0, 10);
    noAddress["media_references"] = {
        {"DEFAULT_MEDIA",
         {{"OTIO_SCHEMA", "ExternalReference.1"}, {"available_range", timeRange(0, 10, 24)}}}};
    noAddress["media_reference"] = externalMedia("/media/unused.mov");
    json resolveUrl = clip("U", "", 0, 10);
    resolveUrl["media_references"] = {
        {"DEFAULT_MEDIA",
         {{"OTIO_SCHEMA", "ExternalReference.1"},
          {"metadata", {{"Resolve_OTIO", {{"Media Url", "/media/resolve.mov"}}}}},
          {"available_range", timeRange(86400, 10, 24)}}}};
    json nested = {
        {"OTIO_SCHEMA", "Stack.1"},
        {"name", "Nest"},
        {"children",
         {track("Audio",
                {clip("In nest", "/media/nested.wav", 0, 10),
                 {{"OTIO_SCHEMA", "Stack.1"},
                  {"name", "Deeper"},
                  {"children", {track("Video", {clip("Deep", "/media/deep.mov", 0, 10)})}}}})}}};
    auto imported = importDocument(timeline(
        {track("Video", {mediaOnly, withoutRange, fallsBack, noAddress, resolveUrl, nested})}));

    std::vector<std::string> names;
    for (Asset* asset : imported->assets()) {
        names.push_back(asset->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"single.mov", "fallback.mov", "resolve.mov",
                                               "nested.wav"}));
    EXPECT_EQ(assetNamed(*imported, "resolve.mov")->firstFrame, 86400);
    // A clip of a nested stack has the kind of its nested track.
    EXPECT_EQ(assetNamed(*imported, "nested.wav")->category, Asset::Category::Audio);
}

TEST_F(AssetPassTest, OnlyLocalFilesThatExistAreProbed) {
    const std::string movie = existing("movie.mov");
    const std::string still = existing("still.png");
    const std::string missing = (folder_ / "missing.mov").string();
    // A file whose name holds "%20" as written: its URL escapes it once, and it is decoded once.
    const std::string escaped = existing("a%20b.mov");
    auto imported = importDocument(
        timeline(
            {track("Video", {clip("Movie", movie, 0, 10), clip("Still", still, 0, 10),
                             clip("Missing", missing, 0, 10),
                             clip("Escaped", "file://" + (folder_ / "a%2520b.mov").string(), 0, 10),
                             clip("Web", "https://example.com/media/web%20clip.mov?v=2", 0, 10),
                             clip("Drive", "G:/Media/drive.mov", 0, 10),
                             clip("Backslashes", "G:\\Media\\back.mov", 0, 10),
                             clip("Relative", "media/relative.mov", 0, 10),
                             clip("Other host", "file://server/share/remote.mov", 0, 10),
                             clip("Hidden", "file://" + movie + "%00.txt", 0, 10)})}),
        probing({{movie, {1, dovovevozav::TimecodeFrameRate::fps24, ""}},
                 {still, {0, std::nullopt, "not media"}}}));

    EXPECT_EQ(imported->media.asked, (std::vector<fs::path>{movie, still, escaped}));
    const struct {
        std::string name;
        bool online;
        Asset::Category category;
    } expected[] = {
        {"movie.mov", true, Asset::Category::Video},
        {"still.png", true, Asset::Category::Image},
        {"missing.mov", false, Asset::Category::Video},
        {"a%20b.mov", true, Asset::Category::Video},
        {"web clip.mov", false, Asset::Category::Video},
        {"drive.mov", false, Asset::Category::Video},
        {"back.mov", false, Asset::Category::Video},
        {"relative.mov", false, Asset::Category::Video},
        {"remote.mov", false, Asset::Category::Video},
        {"movie.mov\0.txt", false, Asset::Category::Video},
    };
    const std::vector<Asset*> assets = imported->assets();
    ASSERT_EQ(assets.size(), std::size(expected));
    for (std::size_t i = 0; i + 1 < assets.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(assets[i]->name, expected[i].name);
        EXPECT_EQ(assets[i]->online, expected[i].online);
        EXPECT_EQ(assets[i]->category, expected[i].category);
        // The flags kept beside `online` start false whether the file is there or not.
        EXPECT_FALSE(assets[i]->readable || assets[i]->added || assets[i]->securityscopedURL);
    }
    EXPECT_FALSE(assets.back()->online);
    // A still becomes a still image on its track, one frame long in its source.
    EXPECT_EQ(imported->videoItems()[1]->category, StoryElement::Category::stillImage);
    EXPECT_EQ(imported->videoItems()[1]->srcDuration, 1.0);
}

TEST_F(AssetPassTest, TheRateComesFromTheAvailableRangeWithTheFilesDropFlag) {
    const std::string dropFile = existing("drop.mov");
    const std::string failing = existing("failing.mov");
    const std::string missing = (folder_ / "missing.mov").string();
    const auto media = [](const std::string& url, double rate) {
        json item = clip("C", "", 0, 10, rate);
        item["media_references"] = {{"DEFAULT_MEDIA", externalMedia(url, 3600, rate)}};
        return item;
    };
    // 12345.678 stands for the word NaN, which JSON cannot hold.
    std::string document =
        timeline(
            {track("Video", {media(dropFile, 29.97), media(failing, 29.97), media(missing, 29.97),
                             media("/m/film.mov", 23.976), media("/m/audio.wav", 48000),
                             media("/m/zero.mov", 0), media("/m/nan.mov", 12345.678)})},
            25)
            .dump();
    for (std::size_t at; (at = document.find("12345.678")) != std::string::npos;) {
        document.replace(at, 9, "NaN");
    }
    auto imported = importBytes(
        document, probing({{dropFile, {1, dovovevozav::TimecodeFrameRate::fps29_97d, ""}},
                           {failing, {1, std::nullopt, "no rate"}}}));
    const std::vector<Asset*> assets = imported->assets();
    ASSERT_EQ(assets.size(), 7u);
    const struct {
        const char* timecodeRate;
        const char* videoRate;
        double firstFrame;
    } expected[] = {
        {"29.97d", "29.97p", 3600},
        {"29.97", "29.97p", 3600},
        {"29.97", "29.97p", 3600},
        {"23.976", "23.98p", 3600},
        // Rates that name no picture rate: the timeline's, the time rescaled where it can be.
        {"25", "25p", 3600 * 25 / 48000.0},
        {"25", "25p", 3600},
        {"25", "25p", 3600},
    };
    for (std::size_t i = 0; i < assets.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(assets[i]->timecodeFrameRate, expected[i].timecodeRate);
        EXPECT_EQ(assets[i]->videoFormat->videoFrameRate, expected[i].videoRate);
        EXPECT_DOUBLE_EQ(assets[i]->firstFrame, expected[i].firstFrame);
    }
}

} // namespace
} // namespace marrowvale::testing
