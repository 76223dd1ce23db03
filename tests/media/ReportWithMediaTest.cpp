// From an XMEML timeline that points at media made for the test to a workbook read back:
// thumbnails and audio tags as the command line and the desktop application make them, with
// the window kept turning while media is read and told which files were given up on.

#include "GeneratedMedia.h"
#include "KeptTurning.h"
#include "app/ReportRequest.h"
#include "report/ReportFixtures.h"
#include "services/DefaultServices.h"
#include "support/WorkbookReader.h"
#include "xmeml/ProcessXMEML.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;

const std::string rate = "<rate><timebase>25</timebase><ntsc>FALSE</ntsc></rate>";

// A clip item at `start` of one second from `in`, of a file with picture or sound.
std::string clipItem(const std::string& name, int start, int in, const fs::path& file,
                     const std::string& media, int duration = 25) {
    static int count = 0;
    const std::string id = std::to_string(++count);
    return "<clipitem id=\"c" + id + "\"><name>" + name + "</name>" + rate + "<start>" +
           std::to_string(start) + "</start><end>" + std::to_string(start + 25) + "</end><in>" +
           std::to_string(in) + "</in><out>" + std::to_string(in + 25) + "</out><file id=\"f" + id +
           "\"><name>" + file.filename().string() + "</name><pathurl>file://localhost" +
           file.string() + "</pathurl>" + rate +
           (duration > 0 ? "<duration>" + std::to_string(duration) + "</duration>" : "") +
           "<timecode>" + rate +
           "<string>01:00:00:00</string><frame>90000</frame><displayformat>NDF</displayformat>"
           "</timecode><media>" +
           media + "</media></file></clipitem>";
}

TEST(ReportWithMedia, ThumbnailsAndTagsInTheWorkbook) {
    const GeneratedMedia media;
    const fs::path movie = media.colourMovie("colours.mp4");
    const fs::path wide = media.make("wide.mp4", "-f lavfi -i testsrc=size=64x48:rate=25 -t 0.2 "
                                                 "-vf setsar=4/3 -c:v libx264");
    const fs::path still = media.make("still.png", "-f lavfi -i color=size=400x300 -frames:v 1");
    const fs::path song = media.id3Song("song.mp3", {{"TIT2", "Anthem"},
                                                     {"TRCK", "3/12"},
                                                     {"TDRC", "1999"},
                                                     {"TPUB", "Label"},
                                                     {"TXXX:MOOD", "calm"}});
    // FFmpeg would take minutes over its 200,000 comments: it is given up on.
    const fs::path hostile = media.commentedFlac("hostile.flac", 200'000);
    const std::string video = "<video/>";
    const std::string audio = "<audio/>";
    const fs::path timeline = media.folder() / "timeline.xml";
    std::ofstream(timeline)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\"><sequence "
           "id=\"s\"><name>Reel</name>"
        << rate << "<media><video><track>" << clipItem("Harbour", 0, 7, movie, video + audio)
        << clipItem("../Wide/Shot", 25, 0, wide, video)
        << clipItem("Gone", 50, 0, media.folder() / "gone.mov", video)
        << clipItem("Still", 75, 0, still, video, 0) << clipItem("Hostile", 100, 0, hostile, video)
        << "</track></video><audio><track>" << clipItem("Song", 0, 0, song, audio)
        << clipItem("Hostile sound", 25, 0, hostile, audio)
        << "</track></audio></media></sequence></xmeml>\n";

    ModelContext store;
    FakeReportHost host;
    std::ifstream in(timeline);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const XMEMLImportResult imported = processXMEML(store, bytes, host);
    ASSERT_TRUE(imported.imported);

    ScratchFolder folder;
    host.destination = (folder.path() / "Reel.xlsx").string();
    ReportRequest request;
    request.sequenceTitle = "Reel";
    request.reportName = "Reel - Default Report";
    request.importState = {imported.inputType, ColumnSetKind::xmeml};
    request.options = optionsWith({{"thumbnails", true}}, 160);
    std::ostringstream diagnostics;
    // The usual time limit: ordinary files must be read within it on a loaded machine too.
    const AppServices services = defaultAppServices(&diagnostics);
    ::testing::internal::CaptureStdout();
    services.createXLSX(store, request, host);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(host.opened, std::vector<std::string>{*host.destination})
        << ::testing::PrintToString(host.alerts);
    EXPECT_EQ(host.warnings,
              std::vector<std::string>{
                  "1 media file was given up on, so its clips show \u201cProblem\u201d "
                  "or no tags: \u201c" +
                  hostile.string() + "\u201d (took longer than 5 s to read)"});
    expectKeptTurning(host.turns, 10);

    const WorkbookReader book(*host.destination);
    const std::string sheet = "All Reels";
    EXPECT_EQ(book.mediaCount(), 3);
    auto rowOf = [&](const std::string& clipName) {
        const int names = book.column(sheet, "Clip Name");
        for (int row = 1; row < static_cast<int>(book.sheet(sheet)["rows"].size()); ++row) {
            if (book.value(sheet, row, names) == clipName) {
                return row;
            }
        }
        return -1;
    };
    auto heightInPixels = [&](const std::string& clipName) {
        const auto& heights = book.sheet(sheet)["heights"];
        const std::string key = std::to_string(rowOf(clipName) + 1);
        return heights.contains(key) ? heights[key].get<double>() / 0.75 : 0.0;
    };
    EXPECT_NEAR(heightInPixels("Harbour"), 120, 0.01);
    EXPECT_NEAR(heightInPixels("../Wide/Shot"), 90, 0.01); // anamorphic 4:3 pixels
    EXPECT_NEAR(heightInPixels("Still"), 120, 0.01);
    const int thumbnails = book.column(sheet, "Thumbnail");
    EXPECT_EQ(book.value(sheet, rowOf("Gone"), thumbnails), "Offline");
    EXPECT_EQ(book.value(sheet, rowOf("Hostile"), thumbnails), "Problem");
    EXPECT_TRUE(book.value(sheet, rowOf("Song"), thumbnails).is_null());

    const int songRow = rowOf("Song");
    EXPECT_EQ(book.value(sheet, songRow, book.column(sheet, "Song Title")), "Anthem");
    EXPECT_EQ(book.value(sheet, songRow, book.column(sheet, "Track #")), 3);
    EXPECT_EQ(book.value(sheet, songRow, book.column(sheet, "Year")), 1999);
    EXPECT_EQ(book.value(sheet, songRow, book.column(sheet, "Publisher")), "Label");
    EXPECT_TRUE(book.value(sheet, songRow, book.column(sheet, "Album")).is_null());
    EXPECT_TRUE(
        book.value(sheet, rowOf("Hostile sound"), book.column(sheet, "Song Title")).is_null());
    EXPECT_NE(diagnostics.str().find("***  skip MOOD calm"), std::string::npos);
}

} // namespace
} // namespace marrowvale::testing
