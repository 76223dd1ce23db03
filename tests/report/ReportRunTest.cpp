#include "report/ReportRun.h"

#include "ReportFixtures.h"
#include "app/ReportHost.h"
#include "app/ReportRequest.h"
#include "app/StopRequest.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/StoryElement.h"
#include "report/FolderRemoval.h"
#include "report/ReportContext.h"
#include "report/WorkingFolder.h"
#include "support/WorkbookReader.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

struct RunFixture {
    DemoTimeline timeline;
    ScratchFolder folder;
    FakeReportHost host;
    FakeMediaProbe probe;
    ReportServices services;
    ReportRequest request;

    RunFixture() {
        fs::create_directory(workingRoot());
        services.temporaryRoot = workingRoot();
        services.mediaProbe = &probe;
        request.sequenceTitle = "Reel 1";
        request.reportName = "Reel 1 - Default Report";
        request.importState = {InputType::XMEML, ColumnSetKind::xmeml};
        host.destination = destination().string();
    }
    fs::path workingRoot() const { return folder.path() / "tmp"; }
    fs::path destination() const { return folder.path() / "Reel 1 - Default Report.xlsx"; }
    ReportOutcome run() { return createXLSX(timeline.store, request, host, services); }
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

fs::perms permissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

// Every file in `folder` whose name ends in ".tmp".
std::vector<fs::path> temporaryFiles(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".tmp") {
            found.push_back(entry.path());
        }
    }
    return found;
}

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
    nothingOpened.request.importState = {InputType::null, ColumnSetKind::none};
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
    ignoring.request.sheetKeys = {SheetKey::ignoreAudio};
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
    // The folder is shown after the workbook.
    EXPECT_EQ(fixture.host.opened,
              (std::vector<std::string>{fixture.destination().string(), wanted.string() + " 2"}));
    EXPECT_TRUE(fs::exists(outcome.thumbnailsFolder / "1-A001_C003.jpg"));
    EXPECT_TRUE(fs::exists(wanted / "mine.txt"));
    EXPECT_TRUE(fs::is_empty(fixture.workingRoot()));
    EXPECT_EQ(WorkbookReader(fixture.destination()).mediaCount(), 1);

    RunFixture dropped;
    dropped.probe.writePictures = true;
    dropped.probe.thumbnails["A001_C003"] = {"1-A001_C003.jpg", 90};
    dropped.request.options = optionsWith({{"thumbnails", true}}, 160);
    EXPECT_TRUE(dropped.run().thumbnailsFolder.empty());
    EXPECT_EQ(dropped.host.opened, std::vector<std::string>{dropped.destination().string()});
    EXPECT_TRUE(fs::is_empty(dropped.workingRoot()));
    EXPECT_EQ(WorkbookReader(dropped.destination()).mediaCount(), 1);
}

TEST(ReportRunTest, InputTypeChoosesTheMainSheet) {
    RunFixture resolve;
    resolve.request.importState = {InputType::DaVrOTIO, ColumnSetKind::otio};
    ASSERT_EQ(resolve.run().status, ReportStatus::written);
    WorkbookReader book(resolve.destination());
    ASSERT_EQ(book.sheetNames(), std::vector<std::string>{"All Clips"});
    EXPECT_EQ(book.value("All Clips", 1, book.column("All Clips", "Timeline Out")), "00:00:10:00");
    EXPECT_EQ(book.column("All Clips", "Frame Size"), -1); // the OTIO column set
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

TEST(ReportRunTest, TheDestinationIsReplacedWholeOrNotAtAll) {
    // Another name for the old report keeps the old bytes, and the new one its permissions.
    RunFixture fixture;
    { std::ofstream(fixture.destination()) << "the old report"; }
    fs::permissions(fixture.destination(), fs::perms::owner_read | fs::perms::owner_write);
    const fs::path link = fixture.folder.path() / "link.xlsx";
    fs::create_hard_link(fixture.destination(), link);
    ASSERT_EQ(fixture.run().status, ReportStatus::written);
    EXPECT_EQ(readFile(link), "the old report");
    EXPECT_EQ(readFile(fixture.destination()).substr(0, 2), "PK");
    EXPECT_EQ(permissionsOf(fixture.destination()), fs::perms::owner_read | fs::perms::owner_write);

    // A save that fails while the workbook is written leaves the destination as it was, names
    // the working folder and the reason, and keeps the library's lines off the terminal.
    RunFixture full;
    { std::ofstream(full.destination()) << "the old report"; }
    ReportOutcome outcome;
    ::testing::internal::CaptureStderr();
    {
        FileSizeLimit nearlyFull(512);
        outcome = full.run();
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(outcome.status, ReportStatus::failed);
    EXPECT_EQ(full.host.alerts, std::vector<std::string>{"The report could not be saved"});
    ASSERT_EQ(full.host.informativeTexts.size(), 1u);
    EXPECT_NE(full.host.informativeTexts[0].find(full.workingRoot().string()), std::string::npos)
        << full.host.informativeTexts[0];
    EXPECT_NE(full.host.informativeTexts[0].find("File too large"), std::string::npos)
        << full.host.informativeTexts[0];
    EXPECT_EQ(readFile(full.destination()), "the old report");
    EXPECT_TRUE(fs::is_empty(full.workingRoot()));
}

TEST(ReportRunTest, AWorkingFolderThatCannotBeMadeIsNamed) {
    RunFixture fixture;
    fixture.services.temporaryRoot = fixture.folder.path() / "missing";
    EXPECT_EQ(fixture.run().status, ReportStatus::failed);
    EXPECT_EQ(fixture.host.informativeTexts,
              std::vector<std::string>{"A working folder could not be made in \u201c" +
                                       fixture.services.temporaryRoot.string() +
                                       "\u201d: No such file or directory."});

    // The same for the system's temporary folder when TMPDIR names none.
    RunFixture system;
    system.services.temporaryRoot.clear();
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("TMPDIR", "/nonexistent-folder", 1);
    EXPECT_EQ(system.run().status, ReportStatus::failed);
    if (saved != nullptr) {
        ::setenv("TMPDIR", previous.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
    EXPECT_EQ(system.host.informativeTexts,
              std::vector<std::string>{"A working folder could not be made in "
                                       "\u201c/nonexistent-folder\u201d: No such file or "
                                       "directory."});
    EXPECT_FALSE(fs::exists(system.destination()));
}

TEST(ReportRunTest, AStopRequestEndsTheRunWithoutLeavingFiles) {
    RunFixture fixture;
    fixture.probe.writePictures = true;
    fixture.probe.thumbnails["A001_C003"] = {"1-A001_C003.jpg", 90};
    fixture.request.options = optionsWith({{"thumbnails", true}, {"keepThumbnails", true}}, 160);
    // Asked while the clip sheet is written, as a signal handler would.
    fixture.probe.whenAsked = [&](const StoryElement&) { fixture.host.stop.request(SIGINT); };
    EXPECT_EQ(fixture.run().status, ReportStatus::stopped);
    EXPECT_FALSE(fixture.probe.thumbnailRequests.empty());
    EXPECT_TRUE(fixture.host.alerts.empty());
    EXPECT_TRUE(fixture.host.opened.empty());
    EXPECT_TRUE(fs::is_empty(fixture.workingRoot()));
    EXPECT_EQ(std::distance(fs::directory_iterator(fixture.folder.path()), {}), 1); // "tmp"
}

TEST(WorkingFolderTest, ACopyReplacesOnlyWithTheCompleteFile) {
    ScratchFolder folder;
    const fs::path source = folder.path() / "new.xlsx";
    const fs::path destination = folder.path() / "report.xlsx";
    const fs::path link = folder.path() / "link.xlsx";
    { std::ofstream(source) << std::string(64 * 1024, 'n'); }
    { std::ofstream(destination) << "old"; }
    fs::permissions(destination,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_hard_link(destination, link);

    // A failed write names its own reason, and neither a partial copy nor a change is left.
    try {
        FileSizeLimit nearlyFull(4096);
        replaceFileWithCopy(source, destination);
        ADD_FAILURE() << "no error";
    } catch (const fs::filesystem_error& error) {
        EXPECT_EQ(error.code(), std::errc::file_too_large) << error.what();
        EXPECT_EQ(error.path1(), destination);
    }
    EXPECT_TRUE(temporaryFiles(folder.path()).empty());
    EXPECT_EQ(readFile(destination), "old");

    // A stop request during the copy removes the partial copy too.
    StopRequest stop;
    stop.request(SIGTERM);
    EXPECT_THROW(replaceFileWithCopy(source, destination, &stop), TaskStopped);
    EXPECT_TRUE(temporaryFiles(folder.path()).empty());
    EXPECT_EQ(readFile(destination), "old");

    replaceFileWithCopy(source, destination);
    EXPECT_EQ(readFile(destination), std::string(64 * 1024, 'n'));
    EXPECT_EQ(readFile(link), "old");
    EXPECT_EQ(permissionsOf(destination),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(temporaryFiles(folder.path()).empty());
}

TEST(WorkingFolderTest, PrivateFolderAndPlacement) {
    ScratchFolder folder;
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

TEST(WorkingFolderTest, AFolderIsRemovedWholeWithoutFollowingLinks) {
    ScratchFolder folder;
    const fs::path outside = folder.path() / "outside";
    fs::create_directory(outside);
    { std::ofstream(outside / "keep.txt") << "keep"; }
    // Enough pictures for several threads to remove them, a folder inside, and links out.
    const fs::path working = folder.path() / "marrowvale-report-test";
    fs::create_directories(working / "Thumbnails" / "deeper");
    for (int row = 1; row <= 2000; ++row) {
        std::ofstream(working / "Thumbnails" / (std::to_string(row) + "-Shot.jpg")) << row;
    }
    { std::ofstream(working / "Thumbnails" / "deeper" / "x") << "x"; }
    fs::create_directory_symlink(outside, working / "Thumbnails" / "folder link");
    fs::create_symlink(outside / "keep.txt", working / "file link");
    { std::ofstream(working / "spreadsheet.xlsx") << "PK"; }

    removeFolder(working);
    EXPECT_FALSE(fs::exists(fs::symlink_status(working)));
    EXPECT_EQ(readFile(outside / "keep.txt"), "keep");
    removeFolder(working); // nothing there: nothing happens

    // A link in the working folder's place goes; the folder it leads to keeps its files.
    fs::create_directory_symlink(outside, working);
    removeFolder(working);
    EXPECT_FALSE(fs::exists(fs::symlink_status(working)));
    EXPECT_EQ(readFile(outside / "keep.txt"), "keep");

    removeFolder(outside / "keep.txt"); // a file in a folder's place goes too
    EXPECT_TRUE(fs::is_empty(outside));
}
