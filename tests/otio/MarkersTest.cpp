// Sequence and clip markers: where they lie, whether they show, and their names, notes,
// keywords and colours.
#include "OTIOTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

json marker(const std::string& name, double start, double duration, json color = "RED",
            json metadata = json::object(), double rate = 24) {
    return {{"OTIO_SCHEMA", "Marker.2"},
            {"metadata", metadata},
            {"name", name},
            {"color", color},
            {"marked_range", timeRange(start, duration, rate)}};
}

const json resolveNote = {{"Resolve_OTIO", {{"Note", "Sky"}, {"Keywords", {"VFX", "Sky"}}}}};
const json premiereComment = {{"PremierePro_OTIO", {{"Comments", "Great answer"}}}};

struct Expected {
    std::string name;
    std::string color;
    std::string notes;
    std::vector<std::string> keywords;
    double srcInpoint;
    double position;
    double duration;
    bool visible;
};

void expectMarkers(const std::vector<MarkedRange*>& markers, const std::vector<Expected>& expected,
                   const StoryElement* clip) {
    ASSERT_EQ(markers.size(), expected.size());
    for (std::size_t i = 0; i < markers.size(); ++i) {
        SCOPED_TRACE(i);
        const MarkedRange& marker = *markers[i];
        EXPECT_EQ(marker.clip, clip);
        EXPECT_EQ(marker.name, expected[i].name);
        EXPECT_EQ(marker.color, expected[i].color);
        EXPECT_EQ(marker.notes, expected[i].notes);
        EXPECT_EQ(marker.keywords, expected[i].keywords);
        EXPECT_EQ(marker.srcInpoint, expected[i].srcInpoint);
        EXPECT_EQ(marker.timelinePosition, expected[i].position);
        EXPECT_EQ(marker.duration, expected[i].duration);
        EXPECT_EQ(marker.visible, expected[i].visible);
    }
}

TEST(Markers, SequenceMarkersLieAfterTheFirstFrame) {
    json document = timeline(
        {track("Video", {gap(10)}), track("Subtitle", json::array()), track("Audio", {gap(10)})},
        24, 86400);
    document["tracks"]["markers"] = {
        marker("DescriptiveMarker", 100, 1, "RED", resolveNote),
        marker("Long", 200, 1.5, {{"OTIO_SCHEMA", "Color.1"}, {"name", "LIGHT BLUE"}},
               premiereComment),
        marker("Both", 300, 0, "green",
               {{"Resolve_OTIO", {{"Note", "N"}, {"Keywords", json::array()}}},
                {"PremierePro_OTIO", {{"Comments", "C"}}}})};
    document["tracks"]["children"][1]["markers"] = {marker("Subtitle cue", 50, 48, "\u00c9CRU")};
    // Times carry their own rate: 2 seconds at 1 fps are 48 frames.
    document["tracks"]["children"][2]["markers"] = {marker("Audio", -5, 2, "", json::object(), 1)};
    auto imported = importDocument(document);
    expectMarkers(imported->sequence().markers,
                  {{"Marker", "Red", "Sky", {"VFX", "Sky"}, 0, 86500, 0, true},
                   {"Long", "Light Blue", "Great answer", {}, 0, 86600, 1.5, true},
                   {"Both", "Green", "N", {}, 0, 86700, 0, true},
                   {"Subtitle cue", "\u00c9cru", "", {}, 0, 86450, 48, true},
                   {"Audio", "", "", {}, 0, 86400 - 120, 48, true}},
                  nullptr);
}

TEST(Markers, ClipMarkersAreSourceTimesShownWithinTheClip) {
    json avidColor = {
        {"AAF", {{"CommentMarkerAttributeList", {{"_ATN_CRM_COLOR_EXTENDED", "cyan"}}}}}};
    // At 1000 for 50 frames, from source frame 200.
    json item = clip("Shot", "", 200, 50);
    item["markers"] = {marker("Inside", 220, 0, "BLUE", resolveNote),
                       marker("After", 260, 0, "BLUE", premiereComment),
                       marker("At the end", 250, 2),
                       marker("Before zero", -5, 0),
                       marker("DescriptiveMarker", 230, 0, "RED", avidColor),
                       marker("DescriptiveMarker", 240, 0)};
    auto imported = importDocument(timeline({track("Video", {gap(1000), item})}, 24));
    const StoryElement* element = imported->videoItems().at(1);
    expectMarkers(element->markedRanges,
                  {{"Inside", "Blue", "Sky", {"VFX", "Sky"}, 220, 1020, 0, true},
                   {"After", "Blue", "Great answer", {}, 260, 1060, 0, false},
                   {"At the end", "Red", "", {}, 250, 1050, 2, true},
                   {"Before zero", "Red", "", {}, 0, 800, 0, false},
                   // Media Composer's own colour stays as written.
                   {"Marker", "cyan", "", {}, 230, 1030, 0, true},
                   {"DescriptiveMarker", "Red", "", {}, 240, 1040, 0, true}},
                  element);
    const std::vector<std::string>& lines = imported->host.diagnostics;
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "WARNING: Marker's start is negative, which is weird. Setting to 0."),
              lines.end());
}

TEST(Markers, ClipMarkersOfPremiereProCountFromTheMediaStartAtTheClipsRate) {
    json document = timeline({track("Video", {clip("Shot", "/m/shot.mov", 100, 50)})}, 24);
    document["tracks"]["children"][0]["children"][0]["markers"] = {marker("Note", 20, 0)};
    // The media starts at frame 80.
    document["tracks"]["children"][0]["children"][0]["media_references"]["DEFAULT_MEDIA"] =
        externalMedia("/m/shot.mov", 80, 24);
    auto resolve = importDocument(document);
    EXPECT_EQ(resolve->videoItems().at(0)->markedRanges.at(0)->srcInpoint, 20);

    document["tracks"]["metadata"] = {
        {"PremierePro_OTIO",
         {{"AudioFrameRate", 48000}, {"VideoResolution", {{"width", 1920}, {"height", 1080}}}}}};
    auto premiere = importDocument(document);
    ASSERT_EQ(premiere->host.inputType, InputType::PProOTIO);
    const MarkedRange& fromStart = *premiere->videoItems().at(0)->markedRanges.at(0);
    EXPECT_EQ(fromStart.srcInpoint, 100);
    EXPECT_EQ(fromStart.timelinePosition, 0);
    EXPECT_TRUE(fromStart.visible);

    // Media at 25 fps: a marker's frames at 24 become frames of the same real time at 25.
    json pal = clip("PAL", "/m/pal.mov", 96, 50);
    pal["media_references"]["DEFAULT_MEDIA"] = externalMedia("/m/pal.mov", 0, 25);
    pal["markers"] = {marker("One second in", 120, 24)};
    auto converted = importDocument(timeline({track("Video", {pal})}, 24));
    const StoryElement& element = *converted->videoItems().at(0);
    ASSERT_EQ(element.timecodeFrameRate, "25");
    EXPECT_EQ(element.srcInpoint, 100);
    const MarkedRange& second = *element.markedRanges.at(0);
    EXPECT_EQ(second.srcInpoint, 125);
    EXPECT_EQ(second.duration, 25);
    EXPECT_EQ(second.timelinePosition, 25);
}

} // namespace
} // namespace marrowvale::testing
