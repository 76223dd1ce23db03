#include "report/ReportRun.h"

#include "ReportFixtures.h"
#include "WorkbookReader.h"
#include "app/ReportHost.h"
#include "app/ReportRequest.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "report/OptionalSheets.h"
#include "report/ReportContext.h"
#include "report/WorkingFolder.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

class FakeHost final : public ReportHost {
public:
    std::optional<std::string> destination;
    std::vector<std::string> alerts;
    std::vector<std::string> panels;
    std::vector<std::string> opened;

    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string& messageText, const std::string&) override {
        alerts.push_back(messageText);
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> chooseReportDestination(const std::string& reportName) override {
        panels.push_back(reportName);
        return destination;
    }
    void openFinishedReport(const std::string& path) override { opened.push_back(path); }
};

/// Records which optional sheets the timeline report asks for.
class RecordingSheets final : public OptionalSheets {
public:
    std::vector<std::string> calls;
    std::vector<std::size_t> sizes;
    std::vector<FileSummaryItem> files;

    void writeMarkersSheet(ReportContext&, const std::vector<MarkedRange*>& markers,
                           SheetName title, bool) override {
        record(std::string(sheetTitle(title)), markers.size());
    }
    void writeGraphicsSheet(ReportContext&, const std::vector<StoryElement*>& clips,
                            std::string_view title, bool) override {
        record(std::string(title), clips.size());
    }
    void writeTransitionsSheet(ReportContext&, const std::vector<StoryElement*>& clips,
                               std::string_view title, bool) override {
        record(std::string(title), clips.size());
    }
    void writeEffectsSheet(ReportContext&, const std::vector<StoryElement*>& clips,
                           std::string_view title, bool) override {
        record(std::string(title), clips.size());
    }
    void writeSpeedChangesSheet(ReportContext&, const std::vector<StoryElement*>& clips,
                                std::string_view title, bool) override {
        record(std::string(title), clips.size());
    }
    void writeFilesSummarySheet(ReportContext&, std::vector<FileSummaryItem> items,
                                std::string_view title) override {
        files = items;
        record(std::string(title), items.size());
    }

private:
    void record(std::string title, std::size_t size) {
        calls.push_back(std::move(title));
        sizes.push_back(size);
    }
};

struct RunFixture {
    DemoTimeline timeline;
    TestFolder folder;
    FakeHost host;
    FakeMediaProbe probe;
    ReportServices services;
    ReportRequest request;

    RunFixture() {
        fs::create_directory(workingRoot());
        services.temporaryRoot = workingRoot();
        services.mediaProbe = &probe;
        request.sequenceTitle = "Reel 1";
        request.reportName = "Reel 1 - Default Report";
        request.importState = {InputType::XMEML, 4};
        host.destination = destination().string();
    }
    fs::path workingRoot() const { return folder.path() / "tmp"; }
    fs::path destination() const { return folder.path() / "Reel 1 - Default Report.xlsx"; }
    ReportOutcome run() { return createXLSX(timeline.store, request, host, services); }
};

} // namespace

TEST(ReportRunTest, WritesReplacesAndCleansUp) {
    RunFixture fixture;
    {
        std::ofstream old(fixture.destination());
        old << "an older report";
    }
    ReportOutcome outcome = fixture.run();
    ASSERT_EQ(outcome.status, ReportStatus::written);
    EXPECT_EQ(outcome.workbookPath, fixture.destination());
    EXPECT_TRUE(fixture.host.alerts.empty());
    EXPECT_EQ(fixture.host.panels, std::vector<std::string>{"Reel 1 - Default Report"});
    EXPECT_EQ(fixture.host.opened, std::vector<std::string>{fixture.destination().string()});
    EXPECT_TRUE(fs::is_empty(fixture.workingRoot()));
    // Nothing but the workbook beside it: no temporary copy, no thumbnails folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(fixture.folder.path()), {}), 2);

    WorkbookReader book(fixture.destination());
    EXPECT_EQ(book.sheetNames(), std::vector<std::string>{"All Reels"});
    EXPECT_EQ(book.sheet("All Reels")["rows"].size(), 5u);
}

TEST(ReportRunTest, CancelAndFailuresWriteNothing) {
    RunFixture cancelled;
    cancelled.host.destination.reset();
    EXPECT_EQ(cancelled.run().status, ReportStatus::cancelled);
    EXPECT_FALSE(fs::exists(cancelled.destination()));
    EXPECT_TRUE(fs::is_empty(cancelled.workingRoot()));
    EXPECT_TRUE(cancelled.host.alerts.empty());

    RunFixture missing;
    missing.request.sequenceTitle = "Reel 9";
    EXPECT_EQ(missing.run().status, ReportStatus::failed);
    EXPECT_EQ(missing.host.alerts, std::vector<std::string>{"No sequence found"});
    EXPECT_TRUE(missing.host.panels.empty());
    EXPECT_FALSE(fs::exists(missing.destination()));

    RunFixture nothingOpened;
    nothingOpened.request.importState = {InputType::null, 0};
    EXPECT_EQ(nothingOpened.run().status, ReportStatus::failed);
    EXPECT_EQ(nothingOpened.host.alerts.size(), 1u);
    EXPECT_TRUE(nothingOpened.host.panels.empty());

    RunFixture unwritable;
    unwritable.host.destination = (unwritable.folder.path() / "gone" / "r.xlsx").string();
    EXPECT_EQ(unwritable.run().status, ReportStatus::failed);
    EXPECT_EQ(unwritable.host.alerts, std::vector<std::string>{"The report could not be saved"});
    EXPECT_TRUE(unwritable.host.opened.empty());
    EXPECT_TRUE(fs::is_empty(unwritable.workingRoot()));

    // A folder where the workbook should go is not replaced.
    RunFixture folderInTheWay;
    fs::create_directory(folderInTheWay.destination());
    EXPECT_EQ(folderInTheWay.run().status, ReportStatus::failed);
    EXPECT_TRUE(fs::is_directory(folderInTheWay.destination()));
}

TEST(ReportRunTest, TrackChoiceAndAudioSwitch) {
    RunFixture fixture;
    fixture.request.tracks.allTracks = false;
    fixture.request.tracks.videoTrackIndexes = {1};
    fixture.request.tracks.audioTrackIndexes = {2};
    ASSERT_EQ(fixture.run().status, ReportStatus::written);
    WorkbookReader book(fixture.destination());
    const int nameColumn = book.column("All Reels", "Clip Name");
    const auto& rows = book.sheet("All Reels")["rows"];
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][nameColumn]["v"], "A001_C003");
    EXPECT_EQ(rows[2][nameColumn]["v"], "Song");
    EXPECT_EQ(book.value("All Reels", 2, book.column("All Reels", "Track")), "A2");

    // Leaving out the sound of video clips keeps only audio files on the audio tracks.
    RunFixture ignoring;
    ignoring.request.sheetKeys = {"ignoreAudio"};
    ASSERT_EQ(ignoring.run().status, ReportStatus::written);
    WorkbookReader quiet(ignoring.destination());
    EXPECT_EQ(quiet.sheet("All Reels")["rows"].size(), 4u);
    EXPECT_EQ(quiet.value("All Reels", 2, quiet.column("All Reels", "Track")), "A2");
}

TEST(ReportRunTest, KeptThumbnailsGoBesideTheWorkbook) {
    RunFixture fixture;
    fixture.probe.writePictures = true;
    fixture.probe.thumbnails["A001_C003"] = {"1-A001_C003.jpg", 90};
    fixture.request.options = optionsWith({{"thumbnails", true}, {"keepThumbnails", true}}, 160);
    const fs::path wanted = fixture.folder.path() / "Reel 1 - Default Report Thumbnails";
    fs::create_directory(wanted);
    { std::ofstream(wanted / "mine.txt") << "keep me"; }

    ReportOutcome outcome = fixture.run();
    ASSERT_EQ(outcome.status, ReportStatus::written);
    EXPECT_EQ(outcome.thumbnailsFolder, wanted.string() + " 2");
    EXPECT_TRUE(fs::exists(outcome.thumbnailsFolder / "1-A001_C003.jpg"));
    EXPECT_TRUE(fs::exists(wanted / "mine.txt"));
    EXPECT_TRUE(fs::is_empty(fixture.workingRoot()));
    EXPECT_EQ(WorkbookReader(fixture.destination()).mediaCount(), 1);

    RunFixture dropped;
    dropped.probe.writePictures = true;
    dropped.probe.thumbnails["A001_C003"] = {"1-A001_C003.jpg", 90};
    dropped.request.options = optionsWith({{"thumbnails", true}}, 160);
    EXPECT_TRUE(dropped.run().thumbnailsFolder.empty());
    EXPECT_TRUE(fs::is_empty(dropped.workingRoot()));
    EXPECT_EQ(WorkbookReader(dropped.destination()).mediaCount(), 1);
}

TEST(ReportRunTest, OptionalSheetsAndInputTypes) {
    RunFixture fixture;
    RecordingSheets sheets;
    fixture.services.optionalSheets = &sheets;
    MarkedRange* sequenceMarker = fixture.timeline.store.create<MarkedRange>();
    MarkedRange* clipMarker = fixture.timeline.store.create<MarkedRange>();
    clipMarker->clip = fixture.timeline.clip;
    (void)sequenceMarker;
    fixture.request.sheetKeys = {"markers", "generators", "transitions", "effects", "summary"};
    ASSERT_EQ(fixture.run().status, ReportStatus::written);
    EXPECT_EQ(sheets.calls,
              (std::vector<std::string>{"Sequence Markers", "Clip Markers", "Graphics & Titles",
                                        "Transitions", "Video & Audio Effects",
                                        "Speed Change Effects", "Files Summary"}));
    EXPECT_EQ(sheets.sizes, (std::vector<std::size_t>{1, 1, 1, 0, 4, 4, 2}));

    RunFixture resolve;
    RecordingSheets resolveSheets;
    resolve.services.optionalSheets = &resolveSheets;
    resolve.request.importState = {InputType::DaVrOTIO, 1};
    resolve.request.sheetKeys = {"markers"};
    ASSERT_EQ(resolve.run().status, ReportStatus::written);
    EXPECT_EQ(resolveSheets.calls, (std::vector<std::string>{"Timeline Markers", "Clip Markers"}));
    WorkbookReader book(resolve.destination());
    ASSERT_EQ(book.sheetNames(), std::vector<std::string>{"All Clips"});
    EXPECT_EQ(book.value("All Clips", 1, book.column("All Clips", "Timeline Out")), "00:00:10:00");
    EXPECT_EQ(book.column("All Clips", "Frame Size"), -1); // the OTIO column set

    // The roles variant is not available without its sheet writers.
    RunFixture roles;
    roles.request.importState = {InputType::FCPXML, 1};
    EXPECT_EQ(roles.run().status, ReportStatus::failed);
    EXPECT_TRUE(roles.host.panels.empty());
}

TEST(ReportRunTest, BinClipsAndFrameRateOfEachRun) {
    RunFixture fixture;
    fixture.timeline.store.create<EventBin>("Selects",
                                            std::vector<StoryElement*>{fixture.timeline.clip});
    fixture.request.sequenceTitle = "Bin Clips";
    ASSERT_EQ(fixture.run().status, ReportStatus::written);
    WorkbookReader bins(fixture.destination());
    EXPECT_GE(bins.column("All Reels", "Bin Name"), 0);
    EXPECT_EQ(bins.sheet("All Reels")["rows"].size(), 2u);

    // A sequence whose rate cannot be read shows its times at 60 fps, whatever ran before.
    RunFixture odd;
    odd.timeline.sequence->timecodeFrameRate = "25";
    ASSERT_EQ(odd.run().status, ReportStatus::written);
    odd.timeline.sequence->timecodeFrameRate = "twenty-five";
    odd.timeline.clip->clipDuration = 61;
    ASSERT_EQ(odd.run().status, ReportStatus::written);
    WorkbookReader book(odd.destination());
    EXPECT_EQ(book.value("All Reels", 1, book.column("All Reels", "Timeline Out")), "00:00:01:00");
}

TEST(WorkingFolderTest, PrivateFolderAndPlacement) {
    TestFolder folder;
    fs::path made;
    {
        WorkingFolder working(folder.path());
        made = working.path();
        EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
        { std::ofstream(made / "file") << "x"; }
    }
    EXPECT_FALSE(fs::exists(made));

    { std::ofstream(folder.path() / "new") << "new"; }
    { std::ofstream(folder.path() / "old") << "old"; }
    replaceFile(folder.path() / "new", folder.path() / "old");
    std::ifstream in(folder.path() / "old");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "new");
    EXPECT_FALSE(fs::exists(folder.path() / "new"));
}
