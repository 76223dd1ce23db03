#include "XMEMLTestSupport.h"
#include "xmeml/LoggingReader.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

TEST(LoggingReader, LabelColours) {
    const std::pair<const char*, const char*> cases[] = {
        {"4281740498", "Red"},       {"4289825711", "Purple"}, {"4280578025", "Orange"},
        {"4281049552", "Yellow"},    {"4294967295", "White"},  {"4294741314", "Blue"},
        {"4292277273", "Turquoise"}, {"4278190080", "Green"},  {"default", "Green"},
        {" 4281740498", "Green"},
    };
    for (const auto& [text, name] : cases) {
        EXPECT_EQ(labelColorName(text), name) << text;
    }
}

TEST(LoggingReader, SequenceMarkersAndMetadata) {
    auto imported = importXMEML(sequenceDocument(
        "<timecode><frame>1000</frame></timecode>"
        "<logginginfo><scene>12</scene></logginginfo><labels><label2>Iris</label2></labels>"
        "<marker/>"
        "<marker><name>Two</name><comment>note</comment><in>10</in><out>-2</out>"
        "<pproColor>4281740498</pproColor></marker>"
        "<marker><in>5</in><out>-1</out></marker>"
        "<marker><in>5</in><out>25</out></marker>"));
    Composition& sequence = imported->sequence();
    ASSERT_EQ(sequence.metadata.size(), 2u);
    EXPECT_EQ(sequence.metadata[0]->key, "scene");
    EXPECT_EQ(sequence.metadata[0]->value, "12");
    EXPECT_EQ(sequence.metadata[1]->key, "label");
    EXPECT_EQ(sequence.metadata[1]->value, "Iris");

    ASSERT_EQ(sequence.markers.size(), 4u);
    const MarkedRange& bare = *sequence.markers[0];
    EXPECT_EQ(bare.name, "Marker");
    EXPECT_EQ(bare.notes, "");
    EXPECT_EQ(bare.color, "Green");
    EXPECT_DOUBLE_EQ(bare.timelinePosition, 1000);
    EXPECT_DOUBLE_EQ(bare.duration, 0);
    EXPECT_TRUE(bare.visible);
    EXPECT_EQ(bare.clip, nullptr);

    EXPECT_EQ(sequence.markers[1]->name, "Two");
    EXPECT_EQ(sequence.markers[1]->notes, "note");
    EXPECT_EQ(sequence.markers[1]->color, "Red");
    EXPECT_DOUBLE_EQ(sequence.markers[1]->duration, -12); // any out but -1 gives a duration
    EXPECT_DOUBLE_EQ(sequence.markers[2]->duration, 0);
    EXPECT_DOUBLE_EQ(sequence.markers[3]->duration, 20);

    auto plain = importXMEML(sequenceDocument(""));
    EXPECT_TRUE(plain->sequence().metadata.empty());
}

TEST(LoggingReader, ClipMarkersFollowTheClip) {
    // firstFrame 1000 (from the file), in 50 so srcInpoint 1050, start 200, duration 100; the
    // full file definition stands in another sequence, the clip item only refers to it.
    const std::string file =
        "<file id=\"f\"><pathurl>p</pathurl><timecode><frame>1000</frame><reel><name>A001"
        "</name></reel></timecode><media><video><samplecharacteristics><rate><timebase>30"
        "</timebase></rate></samplecharacteristics></video></media></file>";
    auto withFile = importXMEML(
        "<xmeml><sequence><media><video><track><clipitem><name>elsewhere</name>" + file +
        "</clipitem></track></video></media></"
        "sequence><sequence><media><video><format><samplecharacteristics><rate><timebase>30</"
        "timebase>"
        "</rate></samplecharacteristics></format><track><clipitem><name>c</name><start>200"
        "</start><end>300</end><in>50</in><out>150</out><file id=\"f\"/><logginginfo>"
        "<description>D</description><scene>S</scene><shottake>T</shottake><lognote>N</lognote>"
        "</logginginfo><labels><label2>Violet</label2></labels>"
        "<marker><in>60</in><out>70</out></marker><marker><in>10</in><out>-2</out></marker>"
        "<marker><in>150</in></marker></clipitem><clipitem><name>plain</name><start>300</start>"
        "<end>400</end></clipitem></track></video></media></sequence></xmeml>");
    StoryElement& clip = *withFile->sequence(1).videoTracks.at(0)->elements.at(0);
    EXPECT_EQ(clip.reel, "A001");
    EXPECT_EQ(clip.descriptn, "D");
    EXPECT_EQ(clip.scene, "S");
    EXPECT_EQ(clip.shottake, "T");
    EXPECT_EQ(clip.notes, "N");
    EXPECT_EQ(clip.label, "Violet");
    ASSERT_EQ(clip.markedRanges.size(), 3u);
    const MarkedRange& inside = *clip.markedRanges[0];
    EXPECT_EQ(inside.clip, &clip);
    EXPECT_DOUBLE_EQ(inside.srcInpoint, 1060);
    EXPECT_DOUBLE_EQ(inside.timelinePosition, 210);
    EXPECT_DOUBLE_EQ(inside.duration, 10);
    EXPECT_TRUE(inside.visible);
    const MarkedRange& before = *clip.markedRanges[1];
    EXPECT_DOUBLE_EQ(before.timelinePosition, 160);
    EXPECT_DOUBLE_EQ(before.duration, 0); // a clip marker needs an out above -1
    EXPECT_FALSE(before.visible);
    EXPECT_DOUBLE_EQ(clip.markedRanges[2]->timelinePosition, 300); // the end is included
    EXPECT_TRUE(clip.markedRanges[2]->visible);

    StoryElement& plain = *withFile->sequence(1).videoTracks.at(0)->elements.at(1);
    EXPECT_EQ(plain.reel, "");
    EXPECT_EQ(plain.descriptn, "");
    EXPECT_TRUE(plain.markedRanges.empty());
}

TEST(LoggingReader, ReelOfAFileWhoseIdHasQuotes) {
    auto imported = importXMEML(
        "<xmeml><sequence><media><video><track><clipitem><name>c</name>"
        "<file id=\"it's &quot;here&quot;\"><pathurl>p</pathurl><timecode><reel><name>R7</name>"
        "</reel></timecode></file></clipitem></track></video></media></sequence></xmeml>");
    EXPECT_EQ(imported->videoItems()[0]->reel, "R7");
}

} // namespace
} // namespace marrowvale::testing
