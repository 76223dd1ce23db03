#include "XMEMLTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

std::string item(int start, int end) {
    return "<clipitem><name>c</name><start>" + std::to_string(start) + "</start><end>" +
           std::to_string(end) + "</end></clipitem>";
}

TEST(SequencePass, IdentityRateAndStart) {
    auto unnamed = importXMEML("<xmeml><sequence/><sequence/></xmeml>");
    Composition& first = unnamed->sequence(0);
    EXPECT_EQ(first.id, "sequence0");
    EXPECT_EQ(first.name, "PPro Sequence 0");
    EXPECT_EQ(unnamed->sequence(1).id, "sequence1");
    EXPECT_EQ(unnamed->sequence(1).name, "PPro Sequence 1");
    EXPECT_EQ(first.category, Composition::Category::TimelineSequence);
    EXPECT_DOUBLE_EQ(first.duration, 0);
    EXPECT_EQ(first.audioSampleRate, 48000);
    EXPECT_EQ(first.videoFormat, unnamed->store.fetchAll<VideoFormat>()[0]); // the default
    EXPECT_EQ(first.timecodeFrameRate, "29.97");
    EXPECT_TRUE(first.videoTracks.empty() && first.audioTracks.empty());
    // A sequence without tracks adds no progress.
    EXPECT_DOUBLE_EQ(unnamed->host.value, 100.5);

    struct Case {
        std::string content;
        std::string rate;
        double firstFrame;
        std::int64_t sampleRate;
        double duration;
    };
    const auto media = [](int timebase, bool ntsc, std::string_view sampleRate) {
        return "<media><video>" + formatXML(timebase, ntsc) +
               "</video><audio><format><samplecharacteristics><samplerate>" +
               std::string(sampleRate) +
               "</samplerate></samplecharacteristics></format></audio>"
               "</media>";
    };
    const Case cases[] = {
        {media(30, true, "44100") + "<timecode><displayformat>DF</displayformat></timecode>",
         "29.97d", 0, 44100, 0},
        {media(30, true, "44100.0") + "<timecode><displayformat>NDF</displayformat></timecode>"
                                      "<duration>1500</duration>",
         "29.97", 0, 48000, 1500},
        {media(24, false, "x") + "<timecode><frame>86400</frame><string>02:00:00:00</string>"
                                 "</timecode>",
         "24", 86400, 48000, 0},
        {media(25, false, "96000") + "<timecode><string>01:00:00:00</string></timecode>", "25",
         90000, 96000, 0},
        // No drop-frame 25: the non-drop rate stands in.
        {media(25, false, "48000") + "<timecode><displayformat>DF</displayformat><string>"
                                     "bad</string></timecode><duration> 5</duration>",
         "25", 0, 48000, 0},
        {media(15, false, "48000"), "100", 0, 48000, 0},
        // Characteristics without a rate take the sequence's own.
        {"<rate><timebase>25</timebase></rate><media><video><format><samplecharacteristics>"
         "<width>1920</width></samplecharacteristics></format></video></media>",
         "25", 0, 48000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        auto imported = importXMEML(sequenceDocument(c.content));
        Composition& sequence = imported->sequence();
        EXPECT_EQ(sequence.id, "seq");
        EXPECT_EQ(sequence.name, "Seq");
        EXPECT_EQ(sequence.timecodeFrameRate, c.rate);
        EXPECT_DOUBLE_EQ(sequence.firstFrame, c.firstFrame);
        EXPECT_EQ(sequence.audioSampleRate, c.sampleRate);
        EXPECT_DOUBLE_EQ(sequence.duration, c.duration);
    }

    // The start frame makes item positions absolute.
    auto started = importXMEML(sequenceWithTracks(24, false, "<track>" + item(0, 10) + "</track>",
                                                  "", "<timecode><frame>86400</frame></timecode>"));
    EXPECT_DOUBLE_EQ(started->videoItems()[0]->clipTimelinePosition, 86400);
    EXPECT_EQ(started->videoItems()[0]->timecodeFrameRate, "24"); // no file: the sequence's
}

TEST(SequencePass, ProgressCoversEveryTrack) {
    // Two sequences share 10000; the first has a video track of four items and an empty audio
    // track: 625 per item and 2500 for the empty track.
    const std::string first = "<sequence><media><video><track>" + item(0, 1) + item(1, 2) +
                              item(2, 3) + item(3, 4) +
                              "</track></video><audio><track/></audio></media></sequence>";
    const std::string second = "<sequence><media><video><track/><track/></video></media>"
                               "</sequence>";
    auto imported = importXMEML("<xmeml>" + first + second + "</xmeml>");
    const std::vector<double> expected{100, 625, 625, 625, 625, 2500, 2500, 2500};
    EXPECT_EQ(imported->host.steps, expected);
    EXPECT_DOUBLE_EQ(imported->host.value, imported->host.maximum - 100 + 0.5);
}

// A sequence's timebase that no picture runs at keeps the rate that stands in for it (stored
// reports were read at it), and is named once, like a clip's.
TEST(SequencePass, RatesNoPictureRunsAtAreNamedOnceEach) {
    const auto sequence = [](std::string_view timebase) {
        return "<sequence><media><video><format><samplecharacteristics><rate><timebase>" +
               std::string(timebase) +
               "</timebase></rate></samplecharacteristics></format><track>" + item(0, 24) +
               "</track></video></media></sequence>";
    };
    const auto warning = [](std::string_view timebase, std::string_view standIn) {
        return "A sequence\u2019s rate (timebase " + std::string(timebase) +
               ") is not a frame rate; the sequence is read at " + std::string(standIn) + ".";
    };
    auto imported = importXMEML("<xmeml>" + sequence("0") + sequence("-25") + sequence("0") +
                                sequence("Infinity") + sequence("25") + "</xmeml>");
    EXPECT_EQ(imported->result.warnings,
              (std::vector<std::string>{warning("0", "100p"), warning("-25", "100p"),
                                        warning("Infinity", "30p")}));
    const std::vector<std::string> rates{"100", "100", "100", "30", "25"};
    for (std::size_t i = 0; i < rates.size(); ++i) {
        EXPECT_EQ(imported->sequence(i).timecodeFrameRate, rates[i]) << i;
        EXPECT_EQ(imported->sequence(i).videoTracks.at(0)->elements.at(0)->timecodeFrameRate,
                  rates[i])
            << i;
    }

    // Past five distinct ones, one line says there are more.
    std::string sequences;
    for (int i = 1; i <= 20; ++i) {
        sequences += sequence(std::to_string(-i));
    }
    imported = importXMEML("<xmeml>" + sequences + "</xmeml>");
    std::vector<std::string> expected;
    for (int i = 1; i <= 5; ++i) {
        expected.push_back(warning(std::to_string(-i), "100p"));
    }
    expected.emplace_back("More sequences\u2019 rates are not frame rates; those sequences are "
                          "read at a stand-in rate too.");
    EXPECT_EQ(imported->result.warnings, expected);
}

} // namespace
} // namespace marrowvale::testing
