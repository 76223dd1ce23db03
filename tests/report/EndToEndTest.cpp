// From an XMEML file to a workbook read back: the sample timeline through the XMEML reader and
// the report run.

#include "ReportFixtures.h"
#include "app/ReportRequest.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/ModelContext.h"
#include "model/VideoTrack.h"
#include "report/ReportRun.h"
#include "support/WorkbookReader.h"
#include "xmeml/ProcessXMEML.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct DemoImport {
    ModelContext store;
    FakeReportHost host;
    ScratchFolder folder;
    ReportServices services;
    ReportRequest request;

    explicit DemoImport(const fs::path& file = fs::path(MARROWVALE_SOURCE_DIR) / "samples" /
                                               "demo-sequence.xml",
                        const std::string& title = "Demo Sequence") {
        const std::string bytes = readFile(file);
        XMEMLImportResult result = processXMEML(store, bytes, host);
        EXPECT_TRUE(result.imported);
        fs::create_directory(folder.path() / "tmp");
        services.temporaryRoot = folder.path() / "tmp";
        request.sequenceTitle = title;
        request.reportName = title + " - Default Report";
        request.importState = {result.inputType, ColumnSetKind::xmeml};
        host.destination = destination().string();
    }
    fs::path destination() const { return folder.path() / "Demo.xlsx"; }
    ReportOutcome run() { return createXLSX(store, request, host, services); }
};

} // namespace

TEST(EndToEndTest, SampleTimelineToWorkbook) {
    DemoImport demo;
    { std::ofstream(demo.destination()) << "yesterday's report"; }
    ReportOutcome outcome = demo.run();
    ASSERT_EQ(outcome.status, ReportStatus::written) << ::testing::PrintToString(demo.host.alerts);
    EXPECT_TRUE(fs::is_empty(demo.folder.path() / "tmp"));

    WorkbookReader book(demo.destination());
    ASSERT_EQ(book.sheetNames(), std::vector<std::string>{"All Reels"});
    const std::string sheet = "All Reels";
    EXPECT_EQ(book.value(sheet, 0, 0), "Row");
    EXPECT_EQ(book.value(sheet, 0, 1), "Track");
    EXPECT_EQ(book.value(sheet, 0, 2), "Clip Name");
    EXPECT_EQ(book.sheet(sheet)["rows"].size(), 7u); // the header and six clips

    // The first clip of the picture track, at the sequence's start of 10:00:00:00.
    auto form = [&](int row, const std::string& header, int index) {
        return book.value(sheet, row, book.column(sheet, header, index));
    };
    EXPECT_EQ(form(1, "Clip Name", 0), "Harbour wide");
    EXPECT_EQ(form(1, "Timeline In", 0), "10:00:00:00");
    EXPECT_EQ(form(1, "Timeline In", 1), 900000);
    EXPECT_EQ(form(1, "Timeline In", 2), "56250+00");
    EXPECT_EQ(form(1, "Timeline In", 3), "10:00:00");
    EXPECT_EQ(form(1, "Timeline In", 4), 36000);
    EXPECT_EQ(form(1, "Timeline Out", 0), "10:00:04:24");
    EXPECT_EQ(form(1, "Clip Duration", 0), "00:00:05:00");
    EXPECT_EQ(form(1, "Source In", 0), "14:22:20:00");
    EXPECT_EQ(form(1, "Source Out", 1), 1293624);
    EXPECT_EQ(form(1, "Source File Path", 0), "/Volumes/Rushes/Day 01/harbour_wide.mov");
    EXPECT_EQ(form(1, "Description", 0), "Fishing boats leave the harbour at first light");

    // Untick the titles and the music tracks: their clips are left out.
    DemoImport ticked;
    const Composition* sequence = ticked.store.fetchComposition("Demo Sequence");
    ASSERT_NE(sequence, nullptr);
    ticked.request.tracks.allTracks = false;
    for (const VideoTrack* track : sequence->videoTracks) {
        if (track->name != "Titles") {
            ticked.request.tracks.videoTrackIndexes.push_back(track->trackIdx);
        }
    }
    for (const AudioTrack* track : sequence->audioTracks) {
        if (track->name != "Music") {
            ticked.request.tracks.audioTrackIndexes.push_back(track->trackIdx);
        }
    }
    ASSERT_EQ(ticked.run().status, ReportStatus::written);
    WorkbookReader fewer(ticked.destination());
    std::vector<std::string> names;
    for (const auto& row : fewer.sheet(sheet)["rows"]) {
        names.push_back(row[fewer.column(sheet, "Clip Name")]["v"].get<std::string>());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Clip Name", "Harbour wide", "Harbour wide",
                                               "Market close-up", "Market close-up"}));

    // The bins' master clips: the XMEML marker (stored with its colour name) is listed.
    DemoImport binClips;
    binClips.request.sequenceTitle = "Bin Clips";
    ASSERT_EQ(binClips.run().status, ReportStatus::written);
    WorkbookReader clips(binClips.destination());
    EXPECT_EQ(clips.value(sheet, 1, clips.column(sheet, "Markers")), "Best take (Standard)");

    // A cancelled save panel leaves no file and an empty working folder.
    DemoImport cancelled;
    cancelled.host.destination.reset();
    EXPECT_EQ(cancelled.run().status, ReportStatus::cancelled);
    EXPECT_FALSE(fs::exists(cancelled.destination()));
    EXPECT_TRUE(fs::is_empty(cancelled.folder.path() / "tmp"));
}

TEST(EndToEndTest, EveryOptionalSheetOfATimeline) {
    const fs::path file = fs::path(MARROWVALE_TEST_DATA) / "two-reels.xml";
    DemoImport reelA(file, "Reel A");
    reelA.request.sheetKeys = {SheetKey::markers, SheetKey::generators, SheetKey::transitions,
                               SheetKey::effects, SheetKey::summary};
    ASSERT_EQ(reelA.run().status, ReportStatus::written)
        << ::testing::PrintToString(reelA.host.alerts);
    WorkbookReader book(reelA.destination());
    ASSERT_EQ(book.sheetNames(),
              (std::vector<std::string>{"All Reels", "Sequence Markers", "Clip Markers",
                                        "Graphics & Titles", "Transitions", "Video & Audio Effects",
                                        "Speed Change Effects", "Files Summary"}));
    using Rows = std::vector<std::vector<std::string>>;

    // Reel B's markers stay out; markers come in timeline order, with a length or without.
    EXPECT_EQ(book.texts("Sequence Markers"),
              (Rows{{"Marker Name", "Color", "Comment", "Start", "End", "Duration"},
                    {"Lock", "Red", "Picture lock", "01:00:00:00", "01:00:00:00", ""},
                    {"Hit", "Yellow", "", "01:00:02:00", "01:00:02:24", "00:00:01:00"}}));
    EXPECT_EQ(book.texts("Clip Markers"),
              (Rows{{"Marker Name", "Color", "Comment", "Start", "End", "Duration", "Track",
                     "Clip Name", "Source Position"},
                    {"Slate", "Green", "Clap", "01:00:00:10", "01:00:00:10", "", "Picture", "Wide",
                     "00:00:00:10"}}));
    EXPECT_EQ(book.texts("Graphics & Titles"),
              (Rows{{"Track", "Clip Name", "Generator", "Timeline In", "Timeline Out", "Duration",
                     "Font", "Title Text"},
                    {"Graphics", "Harbour at Dawn", "", "01:00:00:00", "01:00:01:24", "00:00:02:00",
                     "Helvetica Neue", "Harbour at Dawn"},
                    {"Graphics", "Black Video", "", "01:00:02:00", "01:00:02:24", "00:00:01:00", "",
                     ""}}));
    EXPECT_EQ(book.texts("Transitions"),
              (Rows{{"Track", "Transition", "Timeline In", "Timeline Out", "Duration"},
                    {"Picture", "Cross Dissolve", "01:00:03:15", "01:00:04:09", "00:00:00:20"}}));
    EXPECT_EQ(
        book.texts("Video & Audio Effects"),
        (Rows{
            {"Effect", "Settings", "Enabled", "Clip Name", "Track", "Timeline In", "Timeline Out"},
            {"Rotation", "= 10\u00B0", "\u2713", "Wide", "Picture", "01:00:00:00", "01:00:03:24"},
            {"Scale", "= 150%", "\u2713", "Wide", "Picture", "01:00:00:00", "01:00:03:24"},
            {"Audio Levels", "", "\u2713", "Song", "Music", "01:00:00:00", "01:00:11:24"}}));
    EXPECT_EQ(
        book.texts("Speed Change Effects"),
        (Rows{{"Effect", "Settings", "Clip Name", "Track", "Timeline In", "Timeline Out"},
              {"Speed Change", "50.0%", "Close", "Picture", "01:00:04:00", "01:00:07:24"},
              {"Reverse Speed Change", "-100.0%", "Back", "Picture", "01:00:08:00", "01:00:09:24"},
              {"Frame Hold", "", "Hold", "Picture", "01:00:10:00", "01:00:11:24"}}));
    EXPECT_EQ(book.texts("Files Summary"),
              (Rows{{"File Name", "Estimated Total", "% of Total", "File Path"},
                    {"close.mov", "00:00:06:00", "25", "/Volumes/Media/close.mov"},
                    {"song.wav", "00:00:12:00", "50", "/Volumes/Music/song.wav"},
                    {"wide.mov", "00:00:06:00", "25", "/Volumes/Media/wide.mov"}}));

    // Formats: Helvetica 11 throughout, a bold header, rows coloured by kind, check marks and
    // speeds centred, shares as plain numbers.
    auto colour = [&](const std::string& sheet, int row) {
        return book.cell(sheet, row, 0)["color"].get<std::string>();
    };
    EXPECT_TRUE(book.cell("Transitions", 0, 0)["bold"].get<bool>());
    EXPECT_EQ(book.cell("Transitions", 1, 1)["font"], "Helvetica");
    EXPECT_EQ(book.cell("Transitions", 1, 1)["size"], 11);
    EXPECT_EQ(colour("Sequence Markers", 1), "FF0000FF"); // a colour name: an ordinary marker
    EXPECT_EQ(colour("Graphics & Titles", 1), "FF800080");
    EXPECT_EQ(colour("Graphics & Titles", 2), "FF800000");
    EXPECT_EQ(colour("Transitions", 1), "FF808080");
    EXPECT_EQ(colour("Video & Audio Effects", 1), "FF0000FF");
    EXPECT_EQ(colour("Video & Audio Effects", 3), "FF008000");
    EXPECT_EQ(book.cell("Video & Audio Effects", 1, 2)["align"], "center");
    EXPECT_EQ(book.cell("Speed Change Effects", 1, 1)["align"], "center");
    EXPECT_EQ(book.cell("Files Summary", 1, 2)["format"], "General");
    EXPECT_EQ(book.cell("Files Summary", 1, 2)["align"], "left");

    // Without the picture track its markers, effects and dissolve are gone too; without colours
    // every row is black.
    DemoImport ticked(file, "Reel A");
    ticked.request.sheetKeys = reelA.request.sheetKeys;
    ticked.request.options = optionsWith({{"useColorText", false}});
    ticked.request.tracks.allTracks = false;
    const Composition* sequence = ticked.store.fetchComposition("Reel A");
    ASSERT_NE(sequence, nullptr);
    for (const VideoTrack* track : sequence->videoTracks) {
        if (track->name != "Picture") {
            ticked.request.tracks.videoTrackIndexes.push_back(track->trackIdx);
        }
    }
    for (const AudioTrack* track : sequence->audioTracks) {
        ticked.request.tracks.audioTrackIndexes.push_back(track->trackIdx);
    }
    ASSERT_EQ(ticked.run().status, ReportStatus::written);
    WorkbookReader fewer(ticked.destination());
    EXPECT_EQ(fewer.texts("Clip Markers").size(), 1u);
    EXPECT_EQ(fewer.texts("Transitions").size(), 1u);
    EXPECT_EQ(fewer.texts("Video & Audio Effects").size(), 2u);
    EXPECT_EQ(fewer.texts("Speed Change Effects").size(), 1u);
    EXPECT_EQ(fewer.texts("Sequence Markers").size(), 3u);
    EXPECT_EQ(fewer.cell("Graphics & Titles", 1, 0)["color"], "FF000000");

    // The other sequence of the file lists only its own markers.
    DemoImport reelB(file, "Reel B");
    reelB.request.sheetKeys = {SheetKey::markers};
    ASSERT_EQ(reelB.run().status, ReportStatus::written);
    WorkbookReader other(reelB.destination());
    EXPECT_EQ(other.value("Sequence Markers", 1, 0), "Elsewhere");
    EXPECT_EQ(other.texts("Sequence Markers").size(), 2u);
    EXPECT_EQ(other.value("Clip Markers", 1, 0), "Elsewhere clip");
    EXPECT_EQ(other.texts("Clip Markers").size(), 2u);
}
