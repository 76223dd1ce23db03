#include "XMEMLTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

std::string audioItem(std::string_view name) {
    return "<clipitem><name>" + std::string(name) +
           "</name><start>0</start><end>10</end>"
           "</clipitem>";
}

TEST(AudioTracks, ExplodedEmptyAndNamedTracks) {
    auto imported = importXMEML(sequenceWithTracks(
        30, false, "<track>" + audioItem("v") + "</track>",
        "<track currentExplodedTrackIndex=\"0\" premiereTrackType=\"Stereo\">" + audioItem("a") +
            "</track><track currentExplodedTrackIndex=\"1\">" + audioItem("skipped") +
            "</track><track/><track MZ.TrackName=\"\"><enabled>false</enabled>" + audioItem("b") +
            "</track><track><enabled>FALSE</enabled>" + audioItem("c") + "</track>"));
    auto& tracks = imported->sequence().audioTracks;
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0]->trackIdx, 0);
    EXPECT_EQ(tracks[0]->name, "A1");
    EXPECT_EQ(tracks[0]->premiereTrackType, "Stereo");
    // The skipped track uses no number, the empty one does.
    EXPECT_EQ(tracks[1]->trackIdx, 2);
    EXPECT_EQ(tracks[1]->name, "");
    EXPECT_EQ(tracks[1]->premiereTrackType, "Mono");
    EXPECT_TRUE(tracks[1]->enabled);
    EXPECT_EQ(tracks[2]->trackIdx, 3);
    EXPECT_EQ(tracks[2]->name, "A4");
    EXPECT_FALSE(tracks[2]->enabled);

    StoryElement& first = *tracks[0]->elements[0];
    EXPECT_EQ(first.trackType, TrackType::Audio);
    EXPECT_EQ(first.spreadsheetSortOrder, 5);
    EXPECT_EQ(first.trackName, "A1");
    EXPECT_EQ(tracks[1]->elements[0]->spreadsheetSortOrder, 25);
    EXPECT_EQ(imported->videoItems()[0]->spreadsheetSortOrder, 0);

    // Six tracks share 10000; every track adds its share, skipped and empty ones too.
    const double perTrack = 10000.0 / 6;
    const std::vector<double> expected{100,      perTrack, perTrack, perTrack,
                                       perTrack, perTrack, perTrack};
    EXPECT_EQ(imported->host.steps, expected);
}

TEST(AudioTracks, ItemsKeepTheirSourceRange) {
    auto imported = importXMEML(sequenceWithTracks(
        30, false, "",
        "<track><clipitem><name>x</name><start>0</start><end>10</end>" +
            fileXML("f", "Named", 25, false) +
            "</clipitem><clipitem><name></name><start>10</start><end>20</end><in>4</in>"
            "<out>8</out><file id=\"f\"/></clipitem><clipitem><start>20</start><end>30</end>"
            "<in>3</in><out>9</out><file id=\"gone\"/></clipitem><generatoritem><start>30"
            "</start><end>40</end></generatoritem><transitionitem><start>40</start><end>45</end>"
            "</transitionitem></track>"));
    auto& items = imported->audioItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0]->srcInpoint, 0); // no in and out: the asset's first frame
    EXPECT_EQ(items[0]->srcDuration, 0);
    EXPECT_EQ(items[0]->timecodeFrameRate, "25");
    EXPECT_EQ(items[1]->name, "Named");
    EXPECT_NEAR(*items[1]->srcInpoint, 4.0 * 25 / 30, 1e-9); // a file with pictures converts
    EXPECT_NEAR(*items[1]->srcDuration, 4.0 * 25 / 30, 1e-9);
    EXPECT_EQ(items[2]->name, "clipitem");
    EXPECT_EQ(items[2]->asset, nullptr);
    EXPECT_EQ(items[2]->timecodeFrameRate, "30");
    EXPECT_EQ(items[2]->srcInpoint, 3);
    EXPECT_EQ(items[2]->srcDuration, 6);
    EXPECT_EQ(items[3]->category, StoryElement::Category::null);
    EXPECT_EQ(items[4]->category, StoryElement::Category::transition);
    EXPECT_EQ(items[4]->timecodeFrameRate, "30");
}

} // namespace
} // namespace marrowvale::testing
