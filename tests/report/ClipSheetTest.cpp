#include "ReportFixtures.h"
#include "model/Asset.h"
#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "model/VideoFX.h"
#include "report/ClipSheetWriter.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/ReportSortOrders.h"
#include "support/WorkbookReader.h"
#include "xlsxwriter/Workbook.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace marrowvale;
using namespace marrowvale::testing;
using dovovevozav::TimecodeFrameRate;

namespace {

constexpr const char* sheetName = "All Reels";

struct SheetRun {
    ScratchFolder folder;
    FakeMediaProbe probe;
    ReportContext context;
    std::vector<FileSummaryItem> files;

    SheetRun() {
        context.columnSetKind = ColumnSetKind::xmeml;
        context.reportFrameRate = TimecodeFrameRate::fps25;
        context.outPointOffset = -1;
        context.mediaProbe = &probe;
        context.thumbnailsFolder = folder.path();
    }

    WorkbookReader write(const std::vector<StoryElement*>& clips, const ReportOptions& options,
                         bool useColorText = true) {
        std::filesystem::path path = folder.path() / "sheet.xlsx";
        Workbook workbook(path.string());
        context.workbook = &workbook;
        files = writeClipSheet(context, clips, sheetName, options, useColorText);
        workbook.close();
        context.workbook = nullptr;
        return WorkbookReader(path);
    }
};

/// The value under the `form`-th header named `header` (0 TC ... 4 Secs) in a row.
nlohmann::json timeCell(const WorkbookReader& book, int row, const std::string& header, int form) {
    int col = book.column(sheetName, header, form);
    EXPECT_GE(col, 0) << header << " form " << form;
    return book.value(sheetName, row, col);
}

nlohmann::json cellAt(const WorkbookReader& book, int row, const std::string& header) {
    int col = book.column(sheetName, header);
    EXPECT_GE(col, 0) << header;
    return book.value(sheetName, row, col);
}

} // namespace

TEST(ClipSheetTest, TimeColumnsInEveryForm) {
    DemoTimeline timeline;
    SheetRun run;
    WorkbookReader book = run.write({timeline.clip}, optionsWith({}));
    ASSERT_EQ(book.sheetNames(), std::vector<std::string>{sheetName});

    struct Expected {
        std::string header;
        nlohmann::json tc, frames, feet, clock, secs;
    };
    const Expected table[] = {
        {"Timeline In", "00:00:00:00", 0, "0+00", "00:00:00", 0},
        {"Timeline Out", "00:00:09:24", 249, "15+09", "00:00:09", 9},
        {"Clip Duration", "00:00:10:00", 250, "15+10", "00:00:10", 10},
        {"Source In", "01:00:00:00", 90000, "5625+00", "01:00:00", 3600},
        {"Source Out", "01:00:09:24", 90249, "5640+09", "01:00:09", 3609},
        {"Source Duration", "00:00:10:00", 250, "15+10", "00:00:10", 10},
    };
    for (const Expected& expected : table) {
        SCOPED_TRACE(expected.header);
        EXPECT_EQ(timeCell(book, 1, expected.header, 0), expected.tc);
        EXPECT_EQ(timeCell(book, 1, expected.header, 1), expected.frames);
        EXPECT_EQ(timeCell(book, 1, expected.header, 2), expected.feet);
        EXPECT_EQ(timeCell(book, 1, expected.header, 3), expected.clock);
        EXPECT_EQ(timeCell(book, 1, expected.header, 4), expected.secs);
    }
    // Source feet+frames are centred, timeline feet+frames are not.
    EXPECT_EQ(book.cell(sheetName, 1, book.column(sheetName, "Source In", 2))["align"], "center");
    EXPECT_TRUE(
        book.cell(sheetName, 1, book.column(sheetName, "Timeline In", 2))["align"].is_null());

    // A Resolve timeline's end points are inclusive.
    run.context.outPointOffset = 0;
    WorkbookReader resolve = run.write({timeline.clip}, optionsWith({}));
    EXPECT_EQ(timeCell(resolve, 1, "Timeline Out", 0), "00:00:10:00");
}

TEST(ClipSheetTest, HeadersColumnsAndWidths) {
    DemoTimeline timeline;
    SheetRun run;
    timeline.clip->name = std::string(25, 'N');
    WorkbookReader book = run.write({timeline.clip}, optionsWith({}, 0));
    const auto& header = book.sheet(sheetName)["rows"][0];
    ASSERT_EQ(header.size(), 49u); // the XMEML set without the thumbnail column
    for (const auto& cell : header) {
        EXPECT_EQ(cell["v"].get<std::string>().find('\n'), std::string::npos);
        EXPECT_TRUE(cell["bold"].get<bool>());
        EXPECT_EQ(cell["font"], "Helvetica");
        EXPECT_EQ(cell["align"], "left");
    }
    EXPECT_EQ(header[0]["v"], "Row");
    EXPECT_EQ(header[1]["v"], "Track");
    EXPECT_EQ(header[2]["v"], "Clip Name");
    EXPECT_EQ(header[38]["v"], "Frame Size");
    EXPECT_EQ(book.column(sheetName, "Song Title"), 41);

    // Widths are raised to the longest text (the library stores them with a little padding).
    const auto& widths = book.sheet(sheetName)["widths"];
    EXPECT_NEAR(widths["C"].get<double>(), 25, 1);
    EXPECT_NEAR(widths["A"].get<double>(), 4, 1);

    // Options turn columns off; no cell is written for an absent heading.
    WorkbookReader narrow = run.write(
        {timeline.clip}, optionsWith({{"rowNumbers", false}, {"reportSeqFrames", false}}));
    EXPECT_EQ(narrow.column(sheetName, "Row"), -1);
    EXPECT_EQ(narrow.column(sheetName, "Timeline In", 1),
              book.column(sheetName, "Timeline In", 2) - 2);

    // Column set 0: no sheet at all.
    run.context.columnSetKind = ColumnSetKind::none;
    ScratchFolder folder;
    Workbook workbook((folder.path() / "none.xlsx").string());
    run.context.workbook = &workbook;
    EXPECT_TRUE(
        writeClipSheet(run.context, {timeline.clip}, sheetName, optionsWith({}), true).empty());
    EXPECT_FALSE(workbook.worksheet(sheetName).has_value());
    run.context.workbook = nullptr;
}

TEST(ClipSheetTest, RowOrderColoursAndSourceFiles) {
    DemoTimeline timeline;
    SheetRun run;
    std::vector<StoryElement*> clips = {timeline.music, timeline.title, timeline.clipSound,
                                        timeline.clip};
    WorkbookReader book = run.write(clips, optionsWith({}));
    // Sorted by position, then sort order: clip (0, 1), clip sound (0, 3), music (0, 4), title.
    EXPECT_EQ(cellAt(book, 1, "Clip Name"), "A001_C003");
    EXPECT_EQ(cellAt(book, 1, "Track"), "V1");
    EXPECT_EQ(cellAt(book, 2, "Track"), "A1");
    EXPECT_EQ(cellAt(book, 3, "Clip Name"), "Song");
    EXPECT_EQ(cellAt(book, 4, "Clip Name"), "Opening Title");
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(cellAt(book, row, "Row"), row);
    }

    auto colour = [&](const WorkbookReader& reader, int row) {
        return reader.cell(sheetName, row, reader.column(sheetName, "Clip Name"))["color"];
    };
    EXPECT_EQ(colour(book, 1), "FF0000FF"); // video: blue
    EXPECT_EQ(colour(book, 2), "FF008000"); // audio: green
    EXPECT_EQ(colour(book, 4), "FF800080"); // title: purple
    WorkbookReader plain = run.write(clips, optionsWith({}), false);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(colour(plain, row), "FF000000");
    }

    // The movie (once, from its video clip; its sound is an AV file) and the song; no title.
    ASSERT_EQ(run.files.size(), 2u);
    EXPECT_EQ(run.files[0].name, "A001_C003.mov");
    EXPECT_EQ(run.files[0].path, "/media/Day 1/A001_C003.mov");
    EXPECT_EQ(run.files[0].estimatedTotal, 250);
    EXPECT_EQ(run.files[1].name, "Song.wav");

    // Two clips of one file add up.
    StoryElement* again = timeline.store.create<StoryElement>(StoryElement::Category::assetclip, 5,
                                                              TrackType::Video, "25", "V1");
    again->asset = timeline.clip->asset;
    again->clipTimelinePosition = 500;
    again->clipDuration = 100;
    run.write({again, timeline.clip}, optionsWith({}));
    ASSERT_EQ(run.files.size(), 1u);
    EXPECT_EQ(run.files[0].estimatedTotal, 350);
}

TEST(ClipSheetTest, CellContents) {
    DemoTimeline timeline;
    SheetRun run;
    // The bin-clip set has markers, label and bin name.
    run.context.columnSetKind = ColumnSetKind::binClips;
    StoryElement* clip = timeline.clip;
    clip->enabled = false;
    clip->label = "Best";
    clip->timelineClipCategory = "Selects";
    auto marker = [&](std::string name, std::string kind, double position) {
        MarkedRange* range = timeline.store.create<MarkedRange>();
        range->clip = clip;
        range->name = std::move(name);
        range->color = std::move(kind);
        range->timelinePosition = position;
        clip->markedRanges.push_back(range);
    };
    marker("B", "Chapter", 20);
    marker("K", "keyword", 5);
    marker("A", "Standard", 10);
    // Colour names, as the XMEML and OTIO readers store them, are ordinary markers; ratings and
    // analysis ranges are not markers.
    marker("R", "Red", 15);
    marker("F", "favorite", 16);
    marker("T", "Completed To-Do", 17);
    marker("N", "none", 18);
    marker("G", "Green", 30);
    WorkbookReader bins = run.write({clip, timeline.title}, optionsWith({}));
    EXPECT_EQ(cellAt(bins, 1, "Markers"),
              "A (Standard), R (Standard), T (Completed to-do), B (Chapter), G (Standard)");
    EXPECT_EQ(cellAt(bins, 1, "Bin Name"), "Selects");
    EXPECT_EQ(cellAt(bins, 1, "Label"), "Best");
    EXPECT_EQ(cellAt(bins, 1, "Frame Rate/Sample Rate"), "25 fps");
    EXPECT_EQ(cellAt(bins, 1, "Frame Size"), "1920 X 1080");
    EXPECT_EQ(cellAt(bins, 2, "Source File Name"), "Futura");
    EXPECT_EQ(cellAt(bins, 2, "Source File Path"), "MARROWVALE");
    EXPECT_TRUE(cellAt(bins, 2, "Source In").is_null()); // a title has no source range

    // Role sheets have roles, keywords and the enabled flag.
    run.context.columnSetKind = ColumnSetKind::timelineRoles;
    timeline.music->asset->audioRate = "";
    WorkbookReader roles = run.write({clip, timeline.clipSound, timeline.music}, optionsWith({}));
    EXPECT_EQ(cellAt(roles, 1, "Keywords"), "A, B, F, G, K, N, R, T");
    EXPECT_EQ(cellAt(roles, 1, "Enabled"), "\u2717");
    EXPECT_EQ(roles.cell(sheetName, 1, roles.column(sheetName, "Enabled"))["align"], "center");
    EXPECT_EQ(cellAt(roles, 1, "Role \u25B8 Subrole"), "Video");
    EXPECT_EQ(cellAt(roles, 2, "Role \u25B8 Subrole"), "Dialogue \u25B8 Boom, Lav");
    EXPECT_EQ(cellAt(roles, 3, "Role \u25B8 Subrole"), "Music");
    EXPECT_EQ(cellAt(roles, 3, "Enabled"), "\u2713");
    clip->audioRole = "Dialogue";
    WorkbookReader both = run.write({clip}, optionsWith({}));
    EXPECT_EQ(cellAt(both, 1, "Role \u25B8 Subrole"), "Video, Dialogue");

    run.context.columnSetKind = ColumnSetKind::xmeml;
    clip->timecodeFrameRate = "";
    WorkbookReader rates = run.write({clip, timeline.music}, optionsWith({}));
    EXPECT_EQ(cellAt(rates, 1, "Frame Rate/Sample Rate"), "60 fps");
    EXPECT_TRUE(cellAt(rates, 2, "Frame Rate/Sample Rate").is_null());
    EXPECT_TRUE(cellAt(rates, 2, "Frame Size").is_null());
}

TEST(ClipSheetTest, TimesThatCannotBeShown) {
    DemoTimeline timeline;
    SheetRun run;
    StoryElement* clip = timeline.clip;
    clip->clipDuration = -10;
    clip->srcInpoint = 30.0 * 24 * 3600 * 25; // 30 days: within the source clock
    clip->srcDuration = 30.0 * 24 * 3600 * 25;
    StoryElement* unsourced = timeline.title;
    StoryElement* lost = timeline.music;
    lost->clipTimelinePosition = std::nan("");
    WorkbookReader book = run.write({clip, unsourced, lost}, optionsWith({}));
    EXPECT_EQ(timeCell(book, 1, "Clip Duration", 0), "??");
    EXPECT_EQ(timeCell(book, 1, "Clip Duration", 1), -1);
    EXPECT_EQ(timeCell(book, 1, "Clip Duration", 2), "??");
    EXPECT_TRUE(timeCell(book, 1, "Clip Duration", 3).is_null());
    EXPECT_TRUE(timeCell(book, 1, "Clip Duration", 4).is_null());
    EXPECT_EQ(timeCell(book, 1, "Source In", 0), "30 00:00:00:00");
    EXPECT_EQ(timeCell(book, 1, "Source Duration", 0), "??");
    for (int form = 0; form < 5; ++form) {
        EXPECT_TRUE(timeCell(book, 2, "Source In", form).is_null());
        EXPECT_TRUE(timeCell(book, 2, "Source Duration", form).is_null());
    }
    // A clip without a position sorts last and shows no time.
    EXPECT_EQ(cellAt(book, 3, "Clip Name"), "Song");
    EXPECT_EQ(timeCell(book, 3, "Timeline In", 0), "??");
}

TEST(ClipSheetTest, AdjustmentsAndDropFrame) {
    DemoTimeline timeline;
    SheetRun run;
    timeline.clip->clipTimelinePosition = 86400;
    ReportOptions options = optionsWith({});
    options.hhmmssffAdjustment = 90000;
    options.secondsAdjustment = 25;
    WorkbookReader book = run.write({timeline.clip}, options);
    EXPECT_EQ(timeCell(book, 1, "Timeline In", 0), "01:57:36:00");
    EXPECT_EQ(timeCell(book, 1, "Timeline In", 1), 86400);
    EXPECT_EQ(timeCell(book, 1, "Timeline In", 2), "5400+00");
    EXPECT_EQ(timeCell(book, 1, "Timeline In", 3), "00:57:36");
    EXPECT_EQ(timeCell(book, 1, "Timeline In", 4), 3457);
    EXPECT_EQ(timeCell(book, 1, "Clip Duration", 0), "00:00:10:00");

    run.context.reportFrameRate = TimecodeFrameRate::fps29_97d;
    timeline.clip->clipTimelinePosition = 1800;
    timeline.clip->timecodeFrameRate = "29.97d";
    timeline.clip->srcInpoint = 107892; // one hour of drop-frame timecode
    WorkbookReader drop = run.write({timeline.clip}, optionsWith({}));
    EXPECT_EQ(timeCell(drop, 1, "Timeline In", 0), "00:01:00;02");
    EXPECT_EQ(timeCell(drop, 1, "Source In", 0), "01:00:00;00");
    EXPECT_EQ(cellAt(drop, 1, "Frame Rate/Sample Rate"), "29.97 fps drop");
}

TEST(ClipSheetTest, ThumbnailsAndAudioTags) {
    DemoTimeline timeline;
    SheetRun run;
    run.probe.writePictures = true;
    run.probe.thumbnails["A001_C003"] = {"1-A001_C003.jpg", 90};
    run.probe.thumbnails["Opening Title"] = {"Offline", -1};
    run.probe.tags["Song"] = {"Anthem", "", "7", "2019", "Score", "Band", "Writer", "Label"};
    run.probe.tags["A001_C003"] = {"", "", "7/12", "", "", "", "", ""};
    timeline.title->name = "Opening Title";
    WorkbookReader book =
        run.write({timeline.clip, timeline.title, timeline.clipSound, timeline.music},
                  optionsWith({{"thumbnails", true}}, 160));
    // Audio clips never ask for a picture; every clip asks for tags.
    EXPECT_EQ(run.probe.thumbnailRequests,
              (std::vector<std::string>{"A001_C003", "Opening Title"}));
    EXPECT_EQ(run.probe.tagRequests.size(), 4u);
    EXPECT_EQ(run.probe.lastFolder, run.folder.path());
    EXPECT_EQ(book.mediaCount(), 1);
    EXPECT_NEAR(book.sheet(sheetName)["heights"]["2"].get<double>(), 67.5, 0.01);
    EXPECT_NEAR(book.sheet(sheetName)["widths"]["B"].get<double>(), 155.0 / 7, 1);
    EXPECT_EQ(cellAt(book, 4, "Thumbnail"), "Offline");
    EXPECT_FALSE(book.sheet(sheetName)["heights"].contains("5"));

    EXPECT_EQ(cellAt(book, 3, "Song Title"), "Anthem");
    EXPECT_TRUE(cellAt(book, 3, "Album").is_null());
    EXPECT_EQ(cellAt(book, 3, "Track #"), 7);
    EXPECT_EQ(cellAt(book, 3, "Year"), 2019);
    EXPECT_EQ(cellAt(book, 3, "Publisher"), "Label");
    EXPECT_EQ(cellAt(book, 1, "Track #"), 7); // "7/12": track 7 of 12

    // Without the tag columns no file is opened.
    run.probe.tagRequests.clear();
    run.write({timeline.music}, optionsWith({{"id3Metadata", false}}));
    EXPECT_TRUE(run.probe.tagRequests.empty());
}

TEST(ReportSortOrdersTest, ClipOrderTiesAndTransitions) {
    DemoTimeline timeline;
    using Category = StoryElement::Category;
    auto make = [&](Category category, double position, std::int64_t order) {
        auto* clip =
            timeline.store.create<StoryElement>(category, order, TrackType::Video, "25", "V1");
        clip->clipTimelinePosition = position;
        return clip;
    };
    StoryElement* late = make(Category::assetclip, 12, 0);
    StoryElement* early = make(Category::assetclip, 10, 9);
    StoryElement* t1 = make(Category::transition, 20, 5);
    StoryElement* t2 = make(Category::transition, 20, 1);
    StoryElement* t3 = make(Category::transition, 20, 3);
    StoryElement* b = make(Category::assetclip, 20, 2);
    StoryElement* a = make(Category::assetclip, 20, 1);
    StoryElement* a2 = make(Category::assetclip, 20, 1);
    StoryElement* before = make(Category::transition, 15, 7);
    StoryElement* nan = make(Category::assetclip, std::nan(""), 0);
    EXPECT_EQ(sortedClips({nan, late, b, a, t1, a2, t2, early, t3, before}),
              (std::vector<StoryElement*>{early, late, before, t3, t2, t1, a, a2, b, nan}));
    EXPECT_TRUE(sortedClips({}).empty());
    EXPECT_EQ(sortedClips({late}), std::vector<StoryElement*>{late});
}

TEST(ReportSortOrdersTest, MarkersAndEffects) {
    ModelContext store;
    auto marker = [&](double position, std::string name) {
        MarkedRange* range = store.create<MarkedRange>();
        range->timelinePosition = position;
        range->name = std::move(name);
        return range;
    };
    MarkedRange* m30 = marker(30, "c");
    MarkedRange* m10 = marker(10, "a");
    MarkedRange* m20 = marker(20, "b");
    MarkedRange* m10b = marker(10, "a2");
    EXPECT_EQ(sortedMarkers({m30, m10, m20, m10b}),
              (std::vector<MarkedRange*>{m10, m10b, m20, m30}));
    EXPECT_EQ(markerNames({m30, m10}), (std::vector<std::string>{"c", "a"}));

    auto* blur = store.create<VideoFX>();
    blur->name = "blur";
    auto* crop = store.create<VideoFX>();
    crop->name = "Crop";
    auto* blur2 = store.create<VideoFX>();
    blur2->name = "blur";
    std::vector<VideoFX*> effects = {blur, crop, blur2};
    sortVideoEffects(effects);
    EXPECT_EQ(effects, (std::vector<VideoFX*>{crop, blur, blur2}));
}
