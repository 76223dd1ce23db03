// From an XMEML file to a workbook read back: the sample timeline through the XMEML reader and
// the report run.
#if MARROWVALE_HAVE_XMEML

#include "ReportFixtures.h"
#include "WorkbookReader.h"
#include "app/ReportHost.h"
#include "app/ReportRequest.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/ModelContext.h"
#include "model/VideoTrack.h"
#include "report/ReportRun.h"
#include "xmeml/ProcessXMEML.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

class SavingHost final : public ReportHost {
public:
    std::optional<std::string> destination;
    std::vector<std::string> alerts;

    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.push_back(messageText + ": " + informativeText);
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseReportDestination(const std::string&) override {
        return destination;
    }
    void openFinishedReport(const std::string&) override {}
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct DemoImport {
    ModelContext store;
    SavingHost host;
    TestFolder folder;
    ReportServices services;
    ReportRequest request;

    DemoImport() {
        const std::string bytes =
            readFile(fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "demo-sequence.xml");
        XMEMLImportResult result = processXMEML(store, bytes, host);
        EXPECT_TRUE(result.imported);
        fs::create_directory(folder.path() / "tmp");
        services.temporaryRoot = folder.path() / "tmp";
        request.sequenceTitle = "Demo Sequence";
        request.reportName = "Demo Sequence - Default Report";
        request.importState = {result.inputType, 4};
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
        if (track->name != "Titles")
            ticked.request.tracks.videoTrackIndexes.push_back(track->trackIdx);
    }
    for (const AudioTrack* track : sequence->audioTracks) {
        if (track->name != "Music")
            ticked.request.tracks.audioTrackIndexes.push_back(track->trackIdx);
    }
    ASSERT_EQ(ticked.run().status, ReportStatus::written);
    WorkbookReader fewer(ticked.destination());
    std::vector<std::string> names;
    for (const auto& row : fewer.sheet(sheet)["rows"])
        names.push_back(row[fewer.column(sheet, "Clip Name")]["v"].get<std::string>());
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

#endif
