#include "XMEMLTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace marrowvale::testing {
namespace {

std::string readSample(const std::string& name) {
    std::ifstream file(std::string(MARROWVALE_SOURCE_DIR) + "/samples/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(DemoSample, ReadsEveryPartOfTheDemoSequence) {
    std::string bytes = readSample("demo-sequence.xml");
    ASSERT_FALSE(bytes.empty());
    auto imported = importXMEML(bytes);
    ASSERT_TRUE(imported->result.imported);
    EXPECT_TRUE(imported->host.alerts.empty());
    EXPECT_TRUE(imported->result.diagnostics.empty());
    EXPECT_DOUBLE_EQ(imported->host.value, imported->host.maximum + 0.5);

    auto bins = imported->store.fetchAll<EventBin>();
    ASSERT_EQ(bins.size(), 1u);
    EXPECT_EQ(bins[0]->name, "Demo Project");
    ASSERT_EQ(bins[0]->clips.size(), 1u);
    EXPECT_EQ(bins[0]->clips[0]->reel, "A001");
    EXPECT_EQ(bins[0]->clips[0]->markedRanges.size(), 1u);

    Composition& sequence = imported->sequence();
    EXPECT_EQ(sequence.name, "Demo Sequence");
    EXPECT_EQ(sequence.timecodeFrameRate, "25");
    EXPECT_DOUBLE_EQ(sequence.firstFrame, 900000);
    ASSERT_EQ(sequence.markers.size(), 2u);
    EXPECT_EQ(sequence.markers[0]->color, "Red");
    EXPECT_EQ(sequence.metadata.size(), 3u);
    ASSERT_EQ(sequence.videoTracks.size(), 2u);
    ASSERT_EQ(sequence.audioTracks.size(), 2u); // the exploded second channel is left out
    EXPECT_EQ(sequence.audioTracks[1]->name, "Music");

    auto& picture = imported->videoItems(0);
    ASSERT_EQ(picture.size(), 3u);
    EXPECT_EQ(picture[0]->videoFX.size(), 1u); // scale 115; rotation and center are defaults
    EXPECT_EQ(picture[0]->videoFX[0]->settings, "= 115%");
    EXPECT_EQ(picture[0]->markedRanges[0]->color, "Blue");
    EXPECT_DOUBLE_EQ(picture[0]->markedRanges[0]->timelinePosition, 900050);
    EXPECT_EQ(picture[1]->category, StoryElement::Category::transition);
    ASSERT_NE(picture[2]->speedFX, nullptr);
    EXPECT_EQ(picture[2]->speedFX->name, "Speed Change");
    EXPECT_DOUBLE_EQ(*picture[2]->srcDuration, 87.5);

    StoryElement& title = *imported->videoItems(1)[0];
    EXPECT_EQ(title.category, StoryElement::Category::title);
    EXPECT_EQ(title.params.at("font"), "Helvetica Neue");
    EXPECT_EQ(title.params.at("text"), "Harbour at Dawn");
    EXPECT_EQ(title.videoFX.size(), 1u);

    EXPECT_EQ(imported->audioItems(0)[1]->audioFX.size(), 1u);
    EXPECT_EQ(imported->audioItems(1)[0]->audioFX[0]->name, "Audio Pan");
}

} // namespace
} // namespace marrowvale::testing
