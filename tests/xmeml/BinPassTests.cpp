#include "XMEMLTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

TEST(BinPass, BinsAndTheirNames) {
    // Without bins the root is the bin, and its clips are the root's "clip" children.
    auto flat = importXMEML("<xmeml><clip name=\"Loose\"/><sequence/></xmeml>");
    auto bins = flat->store.fetchAll<EventBin>();
    ASSERT_EQ(bins.size(), 1u);
    EXPECT_EQ(bins[0]->name, "PPro Project");
    ASSERT_EQ(bins[0]->clips.size(), 1u);
    EXPECT_EQ(bins[0]->clips[0]->timelineClipCategory, "PPro Project");

    auto project = importXMEML(
        "<xmeml><project><name>Dailies</name><children><clip name=\"A\"/><clip name=\"B\"/>"
        "<clip name=\"C\"/><bin><name>xmeml</name><children><clip/></children></bin><bin>"
        "<children/></bin></children></project></xmeml>");
    bins = project->store.fetchAll<EventBin>();
    ASSERT_EQ(bins.size(), 3u);
    EXPECT_EQ(bins[0]->name, "Dailies");
    ASSERT_EQ(bins[0]->clips.size(), 3u); // the nested bin's clip is not the project's
    for (StoryElement* clip : bins[0]->clips) {
        EXPECT_EQ(clip->timelineClipCategory, "Dailies");
        EXPECT_EQ(clip->spreadsheetSortOrder, 999);
        EXPECT_EQ(clip->id.size(), 36u);
        EXPECT_DOUBLE_EQ(clip->clipTimelinePosition, 0);
        EXPECT_DOUBLE_EQ(clip->clipDuration, 0);
    }
    EXPECT_EQ(bins[0]->clips[1]->name, "B");
    EXPECT_EQ(bins[1]->name, "PPro Project"); // "xmeml" is no name
    EXPECT_EQ(bins[2]->name, "PPro Project"); // nor is a missing one
    // A bin without clips spends its clip share at once.
    EXPECT_EQ(project->host.steps.back(), 100);
}

TEST(BinPass, ClipsFindTheirAssets) {
    const std::string document =
        "<xmeml><project><name>P</name><children>"
        "<clip name=\"Named\"><file id=\"f1\"><pathurl>file://localhost/a.mov</pathurl>"
        "<name>a.mov</name><duration>250</duration><timecode><frame>86400</frame></timecode>"
        "<media><video><samplecharacteristics><rate><timebase>24</timebase></rate>"
        "</samplecharacteristics></video></media></file></clip>"
        "<clip><name>child only</name><file id=\"f1\"/></clip>"
        "<clip name=\"Lost\"><file id=\"nowhere\"/></clip>"
        "<clip><media><video><track><clipitem><file/></clipitem></track></video></media></clip>"
        "<clip><file id=\"still\"><pathurl>file://localhost/s.png</pathurl>"
        "<media><video/></media></file></clip>"
        "</children></project></xmeml>";
    auto imported = importXMEML(document);
    auto& clips = imported->store.fetchAll<EventBin>()[0]->clips;
    ASSERT_EQ(clips.size(), 5u);

    EXPECT_EQ(clips[0]->name, "Named");
    EXPECT_EQ(clips[0]->asset, imported->asset("f1"));
    EXPECT_EQ(clips[0]->timecodeFrameRate, "24");
    EXPECT_DOUBLE_EQ(clips[0]->firstFrame, 86400);
    EXPECT_EQ(clips[0]->srcInpoint, 86400);
    EXPECT_EQ(clips[0]->srcDuration, 250);
    EXPECT_EQ(clips[0]->category, StoryElement::Category::assetclip);

    EXPECT_EQ(clips[1]->name, "a.mov"); // a name child is not the clip's name attribute
    EXPECT_EQ(clips[1]->asset, imported->asset("f1"));

    for (StoryElement* lost : {clips[2], clips[3]}) {
        EXPECT_EQ(lost->asset, nullptr);
        EXPECT_EQ(lost->timecodeFrameRate, "60");
        EXPECT_DOUBLE_EQ(lost->firstFrame, 0);
        EXPECT_EQ(lost->srcInpoint, 0);
        EXPECT_EQ(lost->srcDuration, 0);
    }
    EXPECT_EQ(clips[2]->name, "Lost");
    EXPECT_EQ(clips[3]->name, "");
    EXPECT_EQ(clips[4]->category, StoryElement::Category::stillImage);

    // Five clips share the clip share equally.
    int fifths = 0;
    for (double step : imported->host.steps) {
        fifths += step == 20 ? 1 : 0;
    }
    EXPECT_EQ(fifths, 5);
}

} // namespace
} // namespace marrowvale::testing
