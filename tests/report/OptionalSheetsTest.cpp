// The optional sheets written from stores the tests fill: rows, colours and columns by input
// type, the rules each sheet adds to the shared frame, and what stays blank.
#include "ReportFixtures.h"
#include "app/ReportRequest.h"
#include "app/StopRequest.h"
#include "model/AudioFX.h"
#include "model/MarkedRange.h"
#include "model/SpeedFX.h"
#include "model/StoryElement.h"
#include "model/VideoFX.h"
#include "report/EffectsSheets.h"
#include "report/FilesSummarySheet.h"
#include "report/GraphicsSheet.h"
#include "report/MarkersSheet.h"
#include "report/ReportContext.h"
#include "report/ReportRun.h"
#include "report/TransitionsSheet.h"
#include "support/WorkbookReader.h"
#include "xlsxwriter/Workbook.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

using namespace marrowvale;
using namespace marrowvale::testing;
using dovovevozav::TimecodeFrameRate;
using Rows = std::vector<std::vector<std::string>>;

namespace {

constexpr const char* black = "FF000000";
constexpr const char* blue = "FF0000FF";
constexpr const char* gray = "FF808080";
constexpr const char* green = "FF008000";
constexpr const char* orange = "FFFF6600";
constexpr const char* red = "FFFF0000";

/// Sheet writers called directly on a 25 fps XMEML report.
struct SheetsRun {
    ScratchFolder folder;
    ReportContext context;
    std::ostringstream diagnostics;

    SheetsRun() {
        context.inputType = InputType::XMEML;
        context.reportFrameRate = TimecodeFrameRate::fps25;
        context.diagnostics = &diagnostics;
    }

    /// Runs `writers` on a fresh workbook and reads it back.
    WorkbookReader write(const std::function<void(ReportContext&)>& writers) {
        std::filesystem::path path = folder.path() / "sheets.xlsx";
        Workbook workbook(path.string());
        context.workbook = &workbook;
        writers(context);
        workbook.addWorksheet("End"); // a workbook needs one sheet, whatever the writers did
        workbook.close();
        context.workbook = nullptr;
        return WorkbookReader(path);
    }
};

MarkedRange* makeMarker(ModelContext& store, std::string name, std::string kind, double position,
                        double duration = 0, StoryElement* clip = nullptr) {
    MarkedRange* marker = store.create<MarkedRange>();
    marker->name = std::move(name);
    marker->color = std::move(kind);
    marker->timelinePosition = position;
    marker->duration = duration;
    marker->clip = clip;
    return marker;
}

} // namespace

TEST(OptionalSheetsTest, MarkerRowsColoursAndColumnsByInputType) {
    DemoTimeline timeline;
    ModelContext& store = timeline.store;
    MarkedRange* hidden = makeMarker(store, "Hidden", "Standard", 10);
    hidden->visible = false;
    MarkedRange* standard = makeMarker(store, "Std", "Standard", 100, 10);
    standard->notes = "Note";
    standard->keywords = {"a", "b"};
    std::vector<MarkedRange*> markers = {makeMarker(store, "Chap", "Chapter", 200),
                                         standard,
                                         makeMarker(store, "Todo", "Incomplete To-Do", 50),
                                         makeMarker(store, "Done", "Completed To-Do", 50),
                                         hidden,
                                         makeMarker(store, "Red", "Red", 300),
                                         makeMarker(store, "Kw", "keyword", 400),
                                         makeMarker(store, "Neg", "Standard", -5)};

    SheetsRun run;
    WorkbookReader book = run.write([&](ReportContext& context) {
        writeMarkersSheet(context, markers, SheetName::SequenceMarkers, true);
        writeMarkersSheet(context, markers, SheetName::TimelineMarkers, true); // not for XMEML
    });
    ASSERT_EQ(book.sheetNames(), (std::vector<std::string>{"Sequence Markers", "End"}));
    // Timeline order, equal positions in input order, hidden markers take no row; a length of 0
    // ends where it starts, a negative position has no timecode.
    EXPECT_EQ(book.texts("Sequence Markers"),
              (Rows{{"Marker Name", "Color", "Comment", "Start", "End", "Duration"},
                    {"Neg", "Standard", "", "??", "??", ""},
                    {"Todo", "Incomplete To-Do", "", "00:00:02:00", "00:00:02:00", ""},
                    {"Done", "Completed To-Do", "", "00:00:02:00", "00:00:02:00", ""},
                    {"Std", "Standard", "Note", "00:00:04:00", "00:00:04:09", "00:00:00:10"},
                    {"Chap", "Chapter", "", "00:00:08:00", "00:00:08:00", ""},
                    {"Red", "Red", "", "00:00:12:00", "00:00:12:00", ""},
                    {"Kw", "keyword", "", "00:00:16:00", "00:00:16:00", ""}}));
    EXPECT_EQ(book.colours("Sequence Markers", 0),
              (std::vector<std::string>{blue, red, green, blue, orange, blue, gray}));

    // Resolve: inclusive end points, keywords and notes; no colours when switched off.
    run.context.inputType = InputType::DaVrOTIO;
    run.context.outPointOffset = 0;
    WorkbookReader resolve = run.write([&](ReportContext& context) {
        writeMarkersSheet(context, {standard}, SheetName::TimelineMarkers, false);
    });
    EXPECT_EQ(
        resolve.texts("Timeline Markers"),
        (Rows{{"Marker Name", "Color", "Keywords", "Notes", "Start", "End", "Duration"},
              {"Std", "Standard", "a, b", "Note", "00:00:04:00", "00:00:04:10", "00:00:00:10"}}));
    EXPECT_EQ(resolve.colours("Timeline Markers", 0), std::vector<std::string>{black});

    // Clip markers show where they sit on the clip's source, at the clip's rate.
    MarkedRange* onClip = makeMarker(store, "Slate", "Red", 10, 0, timeline.clip);
    onClip->srcInpoint = 90010;
    struct Case {
        InputType inputType;
        SheetName title;
        std::vector<std::string> header;
    };
    const Case cases[] = {
        {InputType::PProOTIO,
         SheetName::ClipMarkers,
         {"Marker Name", "Color", "Comment", "Start", "End", "Duration", "Track", "Clip Name",
          "Source Position"}},
        {InputType::AvidOTIO,
         SheetName::SequenceMarkers,
         {"Marker Name", "Color", "Comment", "Start", "End", "Duration"}},
        {InputType::DaVrOTIO,
         SheetName::ClipMarkers,
         {"Marker Name", "Color", "Keywords", "Notes", "Start", "End", "Duration", "Track",
          "Clip Name", "Source Position"}},
        {InputType::FCPXML,
         SheetName::Markers,
         {"Marker Name", "Type", "Notes", "Position", "Clip Name", "Role \u25B8 Subrole", "Reel",
          "Scene", "Source Position"}},
        {InputType::null, SheetName::SequenceMarkers, {}},
        {InputType::XMEML, SheetName::Markers, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(inputTypeRawValue(c.inputType));
        run.context.inputType = c.inputType;
        WorkbookReader typed = run.write(
            [&](ReportContext& context) { writeMarkersSheet(context, {onClip}, c.title, true); });
        if (c.header.empty()) {
            EXPECT_EQ(typed.sheetNames(), std::vector<std::string>{"End"});
            continue;
        }
        const std::string title(sheetTitle(c.title));
        Rows rows = typed.texts(title);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], c.header);
        if (typed.column(title, "Clip Name") >= 0) {
            EXPECT_EQ(typed.value(title, 1, typed.column(title, "Clip Name")), "A001_C003");
            EXPECT_EQ(typed.value(title, 1, typed.column(title, "Source Position")), "01:00:00:10");
        }
    }
}

TEST(OptionalSheetsTest, EveryInputTypeGetsItsSheets) {
    const Rows timelineHeaders = {
        {"Track", "Clip Name", "Generator", "Timeline In", "Timeline Out", "Duration", "Font",
         "Title Text"},
        {"Track", "Transition", "Timeline In", "Timeline Out", "Duration"},
        {"Effect", "Settings", "Enabled", "Clip Name", "Track", "Timeline In", "Timeline Out"},
        {"Effect", "Settings", "Clip Name", "Track", "Timeline In", "Timeline Out"},
        {"File Name", "Estimated Total", "% of Total", "File Path"},
    };
    struct Case {
        InputType inputType;
        std::string mainSheet;
        std::string sequenceMarkers;
    };
    const Case cases[] = {
        {InputType::XMEML, "All Reels", "Sequence Markers"},
        {InputType::PProOTIO, "All Reels", "Sequence Markers"},
        {InputType::AvidOTIO, "All Clips", "Sequence Markers"},
        {InputType::DaVrOTIO, "All Clips", "Timeline Markers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(inputTypeRawValue(c.inputType));
        DemoTimeline timeline;
        ScratchFolder folder;
        FakeReportHost host;
        host.destination = (folder.path() / "report.xlsx").string();
        ReportRequest request;
        request.sequenceTitle = "Reel 1";
        request.sheetKeys = {SheetKey::markers, SheetKey::generators, SheetKey::transitions,
                             SheetKey::effects, SheetKey::summary};
        request.importState = {c.inputType, ColumnSetKind::otio};
        ASSERT_EQ(createXLSX(timeline.store, request, host).status, ReportStatus::written);
        WorkbookReader book(*host.destination);
        ASSERT_EQ(
            book.sheetNames(),
            (std::vector<std::string>{c.mainSheet, c.sequenceMarkers, "Clip Markers",
                                      "Graphics & Titles", "Transitions", "Video & Audio Effects",
                                      "Speed Change Effects", "Files Summary"}));
        for (std::size_t i = 0; i < timelineHeaders.size(); ++i) {
            EXPECT_EQ(book.texts(book.sheetNames()[i + 3])[0], timelineHeaders[i]);
        }
        // The demo's title is its one graphic; the movie and the song are its files.
        EXPECT_EQ(book.value("Graphics & Titles", 1, 1), "Opening Title");
        EXPECT_EQ(book.texts("Files Summary").size(), 3u);
    }

    // Without an input type no sheet is written at all.
    DemoTimeline timeline;
    SheetsRun run;
    run.context.inputType = InputType::null;
    std::vector<StoryElement*> clips = {timeline.clip, timeline.title};
    WorkbookReader none = run.write([&](ReportContext& context) {
        writeGraphicsSheet(context, clips, "Graphics & Titles", true);
        writeTransitionsSheet(context, clips, "Transitions", true);
        writeEffectsSheet(context, clips, "Video & Audio Effects", true);
        writeSpeedChangesSheet(context, clips, "Speed Change Effects", true);
        writeFilesSummarySheet(context, {{"a.mov", "/a.mov", 10}}, "Files Summary");
    });
    EXPECT_EQ(none.sheetNames(), std::vector<std::string>{"End"});
    EXPECT_NE(run.diagnostics.str().find("\"Unsupported input type null\""), std::string::npos);

    // A stop request ends a sheet at its next row.
    StopRequest stop;
    stop.request(StopRequest::quitting);
    run.context.inputType = InputType::XMEML;
    run.context.stop = &stop;
    EXPECT_THROW(run.write([&](ReportContext& context) {
        writeTransitionsSheet(context, clips, "Transitions", true);
    }),
                 TaskStopped);
}

TEST(OptionalSheetsTest, EffectRowsTransitionOrderAndSpeeds) {
    DemoTimeline timeline;
    ModelContext& store = timeline.store;
    StoryElement* clip = timeline.clip;
    clip->videoFX = {store.create<VideoFX>("Blur", "= 5", false),
                     store.create<VideoFX>("Alpha", "", true)};
    clip->audioFX = {store.create<AudioFX>("Level", "-3 dB", std::nullopt, true)};
    clip->speedFX = store.create<SpeedFX>("Speed Change", 100.0 / 3);
    timeline.music->speedFX = store.create<SpeedFX>("Speed Change", 200);

    auto transition = [&](std::string name, double position) {
        StoryElement* item = store.create<StoryElement>(StoryElement::Category::transition, 0,
                                                        TrackType::Video, "25", "V1");
        item->name = std::move(name);
        item->clipTimelinePosition = position;
        item->clipDuration = 10;
        return item;
    };
    std::vector<StoryElement*> transitions = {transition("t1", 50), transition("t2", 50),
                                              transition("t0", 20), transition("t3", 50)};

    SheetsRun run;
    std::vector<StoryElement*> clips = {timeline.music, clip};
    WorkbookReader book = run.write([&](ReportContext& context) {
        writeEffectsSheet(context, clips, "Video & Audio Effects", true);
        writeSpeedChangesSheet(context, clips, "Speed Change Effects", true);
        writeTransitionsSheet(context, transitions, "Transitions", false);
    });
    // Video effects by name, then the audio effect; the same clip times on every row.
    EXPECT_EQ(
        book.texts("Video & Audio Effects"),
        (Rows{
            {"Effect", "Settings", "Enabled", "Clip Name", "Track", "Timeline In", "Timeline Out"},
            {"Alpha", "", "\u2713", "A001_C003", "V1", "00:00:00:00", "00:00:09:24"},
            {"Blur", "= 5", "\u2717", "A001_C003", "V1", "00:00:00:00", "00:00:09:24"},
            {"Level", "-3 dB", "\u2713", "A001_C003", "V1", "00:00:00:00", "00:00:09:24"}}));
    EXPECT_EQ(book.colours("Video & Audio Effects", 0),
              (std::vector<std::string>{blue, blue, green}));
    EXPECT_EQ(book.texts("Speed Change Effects"),
              (Rows{{"Effect", "Settings", "Clip Name", "Track", "Timeline In", "Timeline Out"},
                    {"Speed Change", "33.33%", "A001_C003", "V1", "00:00:00:00", "00:00:09:24"},
                    {"Speed Change", "200.0%", "Song", "A2", "00:00:00:00", "00:00:19:24"}}));
    EXPECT_EQ(book.colours("Speed Change Effects", 0), (std::vector<std::string>{blue, green}));
    // Transitions at one position come out in the reverse of their order, after earlier ones.
    std::vector<std::string> names;
    for (const auto& row : book.texts("Transitions")) {
        names.push_back(row[1]);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Transition", "t0", "t3", "t2", "t1"}));
    EXPECT_EQ(book.colours("Transitions", 1), std::vector<std::string>(4, black));

    struct Speed {
        double percent;
        std::string text;
    };
    const Speed speeds[] = {{50, "50.0%"},      {0.125, "0.13%"},
                            {-100, "-100.0%"},  {0, ""},
                            {std::nan(""), ""}, {std::numeric_limits<double>::infinity(), ""}};
    for (const Speed& speed : speeds) {
        EXPECT_EQ(speedPercentText(speed.percent), speed.text) << speed.percent;
    }
}

TEST(OptionalSheetsTest, FilesSummarySharesAndWidths) {
    const std::string longName(30, 'n');
    const std::string longPath = "/Volumes/" + std::string(40, 'p') + "/b.mov";
    SheetsRun run;
    WorkbookReader book = run.write([&](ReportContext& context) {
        writeFilesSummarySheet(context, {{"b.mov", longPath, 300}, {longName, "/a", 100}},
                               "Files Summary");
        writeFilesSummarySheet(context, {{"a.mov", "/a.mov", 0}, {"b.mov", "/b.mov", 0}},
                               "No Time");
        writeFilesSummarySheet(context, {{"a.mov", "/a.mov", std::nan("")}, {"b.mov", "/b", 5}},
                               "Broken");
    });
    // By name, each with its share of the whole in percent.
    EXPECT_EQ(book.texts("Files Summary"),
              (Rows{{"File Name", "Estimated Total", "% of Total", "File Path"},
                    {"b.mov", "00:00:12:00", "75", longPath},
                    {longName, "00:00:04:00", "25", "/a"}}));
    const auto& widths = book.sheet("Files Summary")["widths"];
    EXPECT_NEAR(widths["A"].get<double>(), 30, 1);
    EXPECT_NEAR(widths["D"].get<double>(), 10, 1);
    // No time at all, or a time that is not a number: the shares stay blank.
    EXPECT_EQ(book.texts("No Time")[1],
              (std::vector<std::string>{"a.mov", "00:00:00:00", "", "/a.mov"}));
    EXPECT_EQ(book.texts("No Time")[2][2], "");
    EXPECT_EQ(book.texts("Broken")[1], (std::vector<std::string>{"a.mov", "", "", "/a.mov"}));
    EXPECT_EQ(book.texts("Broken")[2][2], "");
}
