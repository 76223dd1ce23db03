// From a timeline that points at media made for the test to a workbook read back: thumbnails
// and audio tags as the command line and the desktop application make them, with the window
// kept turning while media is read and told which files were given up on, by the report or by
// the import before it.

#include "GeneratedMedia.h"
#include "KeptTurning.h"
#include "app/InputFile.h"
#include "app/ReportRequest.h"
#include "model/Asset.h"
#include "otio/OTIOTestSupport.h"
#include "report/ReportFixtures.h"
#include "services/DefaultServices.h"
#include "support/WorkbookReader.h"
#include "xmeml/ProcessXMEML.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
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

// An OTIO timeline whose files the import gives up on (its helper never answers): the movies
// stay movies, at the rate of a file whose rate is not detected, and on line; a report of the
// timeline waits on none of them again and names each with the import's reason, in the
// timeline's order, as long as that timeline is the last imported.
TEST(ReportWithMedia, FilesTheOTIOImportGaveUpOn) {
    const GeneratedMedia media;
    const fs::path plain = media.movie("mike.mov", "30000/1001", "", 48 * 1001 / 30000.0);
    const fs::path drop = media.movie("zulu.mov", "30000/1001", "01:00:00;00", 2.002);
    const fs::path tone = media.make("alpha.flac", "-f lavfi -i sine=duration=0.2 -c:a flac");
    const fs::path silent = media.text("silent-helper", "#!/bin/sh\nexec sleep 60\n");
    fs::permissions(silent, fs::perms::owner_all);
    json dropClip = clip("Drop", "", 107892, 60, 29.97); // from 01:00:00;00
    dropClip["media_references"] = {
        {"DEFAULT_MEDIA", externalMedia("file://" + drop.string(), 107892, 29.97)}};
    const fs::path cut = media.folder() / "cut.otio";
    std::ofstream(cut)
        << timeline(
               {track("Video", {dropClip, clip("Plain", "file://" + plain.string(), 0, 48, 29.97)}),
                track("Audio", {clip("Tone", "file://" + tone.string(), 0, 30, 29.97)})},
               29.97)
               .dump();

    const std::chrono::milliseconds limit(2'000);
    const AppServices services =
        defaultAppServices(nullptr, {.workers = 3, .timeout = limit, .helper = silent});
    ModelContext store;
    FakeReportHost host;
    services.processOTIO(store, cut, false, 100.0, 2000.0, host);
    ASSERT_EQ(host.alerts, std::vector<std::string>{});
    std::map<std::string, const Asset*> assets;
    for (const Asset* asset : store.fetchAll<Asset>()) {
        assets[asset->name] = asset;
    }
    ASSERT_EQ(assets.size(), 3u);
    for (const auto& [name, category] : {std::pair{"zulu.mov", Asset::Category::Video},
                                         std::pair{"mike.mov", Asset::Category::Video},
                                         std::pair{"alpha.flac", Asset::Category::Audio}}) {
        EXPECT_EQ(assets[name]->category, category) << name;
        EXPECT_TRUE(assets[name]->online) << name;
        EXPECT_EQ(assets[name]->timecodeFrameRate, "29.97") << name;
    }

    const std::string given = " (took longer than 2 s to read)";
    const std::string warning =
        "3 media files were given up on, so their clips show \u201cProblem\u201d or no tags: "
        "\u201c" +
        drop.string() + "\u201d" + given + ", \u201c" + plain.string() + "\u201d" + given +
        ", \u201c" + tone.string() + "\u201d" + given;
    ScratchFolder folder;
    ReportRequest request;
    request.sequenceTitle = "Cut";
    request.reportName = "Cut";
    request.importState = {InputType::DaVrOTIO, ColumnSetKind::otio};
    request.options = optionsWith({{"thumbnails", true}}, 32);
    // Every report of the timeline counts the import's files.
    for (const std::string name : {"first.xlsx", "second.xlsx"}) {
        host.destination = (folder.path() / name).string();
        host.warnings.clear();
        const auto start = std::chrono::steady_clock::now();
        services.createXLSX(store, request, host);
        EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
        EXPECT_EQ(host.warnings, std::vector<std::string>{warning});
    }
    const WorkbookReader book(*host.destination);
    const std::string sheet = book.sheetNames().at(0);
    const int names = book.column(sheet, "Clip Name");
    std::map<std::string, int> rows;
    for (int row = 1; row < static_cast<int>(book.sheet(sheet)["rows"].size()); ++row) {
        rows[book.value(sheet, row, names).get<std::string>()] = row;
    }
    // Cells as for a movie on line: its source runs as long as the clip, and it has no picture.
    const struct {
        const char* clip;
        const char* in;
        const char* out;
        const char* duration;
    } cells[] = {{"Drop", "00:59:56:12", "00:59:58:12", "00:00:02:00"},
                 {"Plain", "00:00:00:00", "00:00:01:18", "00:00:01:18"}};
    for (const auto& expected : cells) {
        const int row = rows.at(expected.clip);
        EXPECT_EQ(book.value(sheet, row, book.column(sheet, "Source In")), expected.in);
        EXPECT_EQ(book.value(sheet, row, book.column(sheet, "Source Out")), expected.out);
        EXPECT_EQ(book.value(sheet, row, book.column(sheet, "Source Duration")), expected.duration);
        EXPECT_EQ(book.value(sheet, row, book.column(sheet, "Thumbnail")), "Problem");
    }

    // A new import replaces the record; the tags of its report's files are waited on side by
    // side.
    const fs::path one = media.text("one.wav", "sound");
    const fs::path two = media.text("two.wav", "sound");
    const fs::path xml = media.folder() / "other.xml";
    std::ofstream(xml) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\">"
                          "<sequence id=\"s\"><name>Reel</name>"
                       << rate << "<media><audio><track>" << clipItem("One", 0, 0, one, "<audio/>")
                       << clipItem("Two", 25, 0, two, "<audio/>")
                       << "</track></audio></media></sequence></xmeml>\n";
    ModelContext other;
    InputFile input(xml, InputFile::timelineSizeLimit);
    services.processXMEML(other, input, host);
    host.warnings.clear();
    host.destination = (folder.path() / "other.xlsx").string();
    request.sequenceTitle = "Reel";
    request.importState = {InputType::XMEML, ColumnSetKind::xmeml};
    const auto start = std::chrono::steady_clock::now();
    services.createXLSX(other, request, host);
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit * 8 / 5);
    EXPECT_EQ(host.opened.back(), *host.destination);
    EXPECT_EQ(host.warnings,
              std::vector<std::string>{
                  "2 media files were given up on, so their clips show \u201cProblem\u201d or no "
                  "tags: \u201c" +
                  one.string() + "\u201d" + given + ", \u201c" + two.string() + "\u201d" + given});
}

} // namespace
} // namespace marrowvale::testing
