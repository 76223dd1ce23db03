// The sequence and track pass: the sequence's rate and the drop-frame question, its format,
// and its tracks.
#include "OTIOTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

const std::vector<std::string> dropFrameQuestion = {
    "Does this timeline use Non-Drop or Drop Frame timecode?",
    "Drop Frame timecode uses semicolons or a comma:\n 01;23;45;00 \n 01:23:45,00",
    "Non-Drop Frame", "Drop Frame"};

json avidDrop(bool drop) {
    return {{"AAF", {{"Segment", {{"Drop", drop}}}}}};
}

TEST(SequencePass, TheTimecodeRateAndTheDropFrameQuestion) {
    struct Case {
        std::string name;
        json document;
        std::optional<bool> hint;
        bool answer;
        std::string rate;
        bool asked;
        double firstFrame;
    };
    json avidTrue = timeline({track("Video", {clip("A", "", 0, 10, 29.97)})}, 29.97);
    avidTrue["tracks"]["children"][0]["metadata"] = avidDrop(true);
    json avidFalse = avidTrue;
    avidFalse["tracks"]["children"][0]["metadata"] = avidDrop(false);
    json avidAt25 = timeline({track("Video", json::array())}, 25);
    avidAt25["tracks"]["children"][0]["metadata"] = avidDrop(true);
    const Case cases[] = {
        {"25 from its start time",
         timeline(json::array(), 25, 90000),
         {},
         false,
         "25",
         false,
         90000},
        {"29.97 answered Non-Drop", timeline(json::array(), 29.97), {}, false, "29.97", true, 0},
        {"29.97 answered Drop", timeline(json::array(), 29.97), {}, true, "29.97d", true, 0},
        {"29.97 with a hint", timeline(json::array(), 29.97), true, false, "29.97d", false, 0},
        {"Avid says drop", avidTrue, false, false, "29.97d", false, 0},
        {"Avid says non-drop", avidFalse, {}, true, "29.97", false, 0},
        {"25 has no drop counting", avidAt25, {}, false, "25", false, 0},
        {"120 asks, but has no drop counting",
         timeline(json::array(), 120),
         {},
         true,
         "120",
         true,
         0},
        // Without a start time: the first item that names a rate, transitions and audio rates
        // passed over, a nested stack before its children.
        {"24 from the first item",
         timeline({track("Audio", {transition(12, 12, 30), clip("S", "", 0, 10, 48000)}),
                   track("Video", {clip("A", "", 0, 10, 24)})},
                  0),
         {},
         false,
         "24",
         false,
         0},
        {"25 from a nested stack's range",
         timeline({track("Video", {{{"OTIO_SCHEMA", "Stack.1"},
                                    {"name", "Nest"},
                                    {"source_range", timeRange(0, 10, 25)},
                                    {"children", {track("Video", {clip("A", "", 0, 10, 24)})}}}})},
                  0),
         {},
         false,
         "25",
         false,
         0},
        {"60 when nothing names a rate",
         timeline({track("Video", {clip("A", "", 0, 10, 48000)})}, 0),
         {},
         false,
         "60",
         true,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto imported = importDocument(c.document, answering(c.answer, c.hint));
        ASSERT_TRUE(imported->imported);
        const Composition& sequence = imported->sequence();
        EXPECT_EQ(sequence.timecodeFrameRate, c.rate);
        EXPECT_EQ(sequence.firstFrame, c.firstFrame);
        if (c.asked) {
            ASSERT_EQ(imported->host.questions.size(), 1u);
            EXPECT_EQ(imported->host.questions[0], dropFrameQuestion);
        } else {
            EXPECT_TRUE(imported->host.questions.empty());
        }
        EXPECT_EQ(sequence.category, Composition::Category::TimelineSequence);
        EXPECT_EQ(sequence.id, "");
        EXPECT_EQ(sequence.duration, 0);
        EXPECT_EQ(sequence.audioSampleRate, 48000);
    }
}

TEST(SequencePass, ATimelineRateNoPictureRunsAtIsReplacedWithAWarning) {
    const struct {
        std::string rate; // as written in the document
        std::string shown;
    } cases[] = {
        {"NaN", "nan"}, {"0", "0"}, {"-25", "-25"}, {"Infinity", "999999999"}, {"1e308", "1e+308"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        std::string text =
            timeline({track("Video", {clip("A", "", 0, 10, 48000)})}, 12345.5).dump();
        text.replace(text.find("12345.5"), 7, c.rate);
        auto imported = importBytes(text, answering(false));
        ASSERT_TRUE(imported->imported);
        EXPECT_EQ(imported->sequence().timecodeFrameRate, "60");
        EXPECT_EQ(imported->host.warnings,
                  std::vector<std::string>{"The timeline\u2019s frame rate (" + c.shown +
                                           ") is not a video frame rate; the sequence is read "
                                           "at 60p."});
    }
    // The first item's rate stands in where it names one; a usable rate needs no word.
    auto fromItem = importBytes(timeline({track("Video", {clip("A", "", 0, 10, 25)})}, 0.5).dump());
    EXPECT_EQ(fromItem->sequence().timecodeFrameRate, "25");
    ASSERT_EQ(fromItem->host.warnings.size(), 1u);
    EXPECT_TRUE(fromItem->host.warnings[0].ends_with("the sequence is read at 25p."));
    EXPECT_TRUE(importDocument(timeline(json::array(), 25))->host.warnings.empty());
}

TEST(SequencePass, TheFrameSizeComesFromPremieresBlockAndFormatsAreShared) {
    const struct {
        json width;
        json height;
        std::int64_t expectedWidth;
        std::int64_t expectedHeight;
    } cases[] = {
        {1920.0, 1080.9, 1920, 1080},
        {-1920, 1e300, 0, 0},
        {"NaN", 5e9, 0, 0},
    };
    for (const auto& c : cases) {
        json document = timeline({track("Video", {clip("A", "/m/a.mov", 0, 10, 25)})}, 25);
        document["tracks"]["metadata"] = {
            {"PremierePro_OTIO",
             {{"AudioFrameRate", 48000}, {"VideoResolution", {{"width", 1}, {"height", 1}}}}}};
        std::string text = document.dump();
        const auto replace = [&text](const std::string& key, const json& value) {
            const std::string from = "\"" + key + "\":1";
            text.replace(text.find(from), from.size(),
                         "\"" + key +
                             "\":" + (value.is_string() ? value.get<std::string>() : value.dump()));
        };
        replace("width", c.width);
        replace("height", c.height);
        auto imported = importBytes(text);
        ASSERT_TRUE(imported->imported) << text;
        const VideoFormat* format = imported->sequence().videoFormat;
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->width, c.expectedWidth);
        EXPECT_EQ(format->height, c.expectedHeight);
        EXPECT_EQ(format->videoFrameRate, "25p");
        // 0 x 0: the asset's format serves the sequence too.
        EXPECT_EQ(imported->store.count<VideoFormat>(), c.expectedWidth == 0 ? 1u : 2u);
    }
}

TEST(SequencePass, TracksAreNumberedByKindAndNamed) {
    json video1 = track("Video", {gap(10)}, "Video 1");
    json audio1 = track("Audio", {gap(10)}, "Audio 1");
    audio1["enabled"] = false;
    json video2 = track("Video", json::array(), "Video 2");
    json subtitles = track("Subtitle", {gap(10)}, "Subs");
    json noKind = {{"OTIO_SCHEMA", "Track.1"}, {"name", "Odd"}, {"children", {gap(10)}}};
    auto imported = importDocument(timeline({video1, audio1, subtitles, noKind, video2}));
    const Composition& sequence = imported->sequence();
    ASSERT_EQ(sequence.videoTracks.size(), 2u);
    ASSERT_EQ(sequence.audioTracks.size(), 1u);
    EXPECT_EQ(sequence.videoTracks[0]->trackIdx, 1);
    EXPECT_EQ(sequence.videoTracks[0]->name, "Video 1");
    EXPECT_TRUE(sequence.videoTracks[0]->enabled);
    EXPECT_EQ(sequence.videoTracks[1]->trackIdx, 2);
    EXPECT_TRUE(sequence.videoTracks[1]->elements.empty());
    EXPECT_EQ(sequence.audioTracks[0]->trackIdx, 1);
    EXPECT_FALSE(sequence.audioTracks[0]->enabled);
    EXPECT_EQ(sequence.audioTracks[0]->premiereTrackType, "Mono");
    const StoryElement& videoItem = *sequence.videoTracks[0]->elements.at(0);
    const StoryElement& audioItem = *sequence.audioTracks[0]->elements.at(0);
    EXPECT_EQ(videoItem.spreadsheetSortOrder, 10);
    EXPECT_EQ(videoItem.trackType, TrackType::Video);
    EXPECT_EQ(videoItem.trackName, "Video 1");
    EXPECT_EQ(audioItem.spreadsheetSortOrder, 15);
    EXPECT_EQ(audioItem.trackType, TrackType::Audio);
    EXPECT_EQ(imported->store.count<StoryElement>(), 2u);

    // Media Composer's own track names.
    json avid = timeline({track("Video", {gap(10)}, "V1"), track("Audio", {gap(10)}, "A1"),
                          track("Video", {gap(10)}, "V2")});
    avid["metadata"] = {{"AAF", {{"Name", "Cut"}}}};
    avid["tracks"]["children"][0]["metadata"] = {
        {"AAF", {{"UserComments", {{"_TRACK_NAME", "Interviews"}}}, {"SlotName", "Slot"}}}};
    avid["tracks"]["children"][1]["metadata"] = {
        {"AAF", {{"UserComments", {{"_TRACK_NAME", "Ignored"}}}, {"SlotName", " Dialogue\t"}}}};
    auto avidImport = importDocument(avid);
    EXPECT_EQ(avidImport->sequence().videoTracks[0]->name, "V1 Interviews");
    EXPECT_EQ(avidImport->sequence().audioTracks[0]->name, "A1  Dialogue");
    EXPECT_EQ(avidImport->sequence().videoTracks[1]->name, "V2");
}

} // namespace
} // namespace marrowvale::testing
