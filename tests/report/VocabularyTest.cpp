#include "model/TextOrder.h"
#include "report/ClipSheetColumns.h"
#include "report/ColumnHeading.h"
#include "report/ColumnWidths.h"
#include "report/FileSummaryItem.h"
#include "report/ReportLookups.h"
#include "report/SheetName.h"

#include <gtest/gtest.h>

using namespace marrowvale;
using H = ColumnHeading;

TEST(ColumnHeadingTest, TextsConvertBothWaysExactly) {
    for (std::size_t i = 0; i < columnHeadingCount; ++i) {
        auto heading = static_cast<ColumnHeading>(i);
        EXPECT_EQ(columnHeadingFromText(headerText(heading)), heading) << i;
    }
    EXPECT_EQ(columnHeadingFromText("Sequence In\n"), H::SequenceInFrames);
    EXPECT_EQ(columnHeadingFromText("Sequence In\n\n\n\n"), H::SequenceInSecs);
    EXPECT_EQ(columnHeadingFromText("Sequence In\n "), std::nullopt);
    EXPECT_EQ(columnHeadingFromText("sequence in"), std::nullopt);
    EXPECT_EQ(columnHeadingFromText("Role \u25B8 Subrole"), H::RoleSubrole);
    EXPECT_EQ(columnHeadingFromText("Role > Subrole"), std::nullopt);
    EXPECT_EQ(headerText(H::FilePath), "File Path");
    EXPECT_EQ(headerText(H::ID3track), "Track #");
    EXPECT_EQ(timeHeading(H::SourceOutTC, TimeForm::Clock), H::SourceOutClock);
    EXPECT_EQ(trimmedHeaderText(H::SourceDurationSecs), "Source Duration");
}

TEST(ColumnHeadingTest, HeaderWidthsCountTrimmedCharacters) {
    EXPECT_TRUE(headerWidths({}).empty());
    EXPECT_EQ(headerWidths({H::SourceDurationSecs}), std::vector<double>{16});
    EXPECT_EQ(headerWidths({H::SequenceInTC, H::SequenceInSecs, H::RoleSubrole, H::ClipName}),
              (std::vector<double>{12, 12, 15, 10}));
}

TEST(ColumnHeadingTest, SheetTitles) {
    EXPECT_EQ(sheetTitle(SheetName::Blank), "");
    EXPECT_EQ(sheetTitle(SheetName::AllReels), "All Reels");
    EXPECT_EQ(sheetTitle(SheetName::GraphicsTitles), "Graphics & Titles");
    EXPECT_EQ(sheetTitle(SheetName::SpeedChangeEffects), "Speed Change Effects");
}

TEST(ReportLookupsTest, OptionFlagIsThreeValued) {
    EXPECT_EQ(optionFlag("thumbnails", {}), std::nullopt);
    ReportOptions options;
    options.flags = {{"thumbnails", false}, {"track", true}};
    EXPECT_EQ(optionFlag("thumbnails", options), false);
    EXPECT_EQ(optionFlag("track", options), true);
    EXPECT_EQ(optionText("font", {}), std::nullopt);
    EXPECT_EQ(optionText("font", {{"font", "Futura"}}), "Futura");
    auto same = [](const std::string& a, const std::string& b) { return a == b; };
    EXPECT_EQ(uniqued({"b", "a", "b"}, same), (std::vector<std::string>{"b", "a"}));
}

TEST(ColumnWidthsTest, RaisesNeverLowers) {
    ColumnWidths widths(headerWidths({H::ClipName}));
    EXPECT_EQ(widths.widths()[0], 10);
    widths.update(0, std::string(25, 'x'));
    EXPECT_EQ(widths.widths()[0], 25);
    widths.update(0, std::string(12, 'x'));
    EXPECT_EQ(widths.widths()[0], 25);
    // Characters, not bytes: 26 check marks are 78 bytes.
    std::string marks;
    for (int i = 0; i < 26; ++i) {
        marks += "\u2713";
    }
    widths.update(0, marks);
    EXPECT_EQ(widths.widths()[0], 26);
}

namespace {

std::vector<ColumnHeading> columns(ColumnSetKind kind,
                                   std::map<std::string, bool, std::less<>> flags,
                                   std::int64_t width = 40) {
    ReportOptions options;
    options.flags = std::move(flags);
    options.thumbnailWidth = width;
    return clipSheetColumns(kind, options).value_or(std::vector<ColumnHeading>{});
}

std::vector<ColumnHeading> without(std::vector<ColumnHeading> list,
                                   std::initializer_list<ColumnHeading> gone) {
    for (ColumnHeading heading : gone) {
        list.erase(std::find(list.begin(), list.end(), heading));
    }
    return list;
}

} // namespace

TEST(ClipSheetColumnsTest, BaseListsAndSwitches) {
    auto kind1 = columns(ColumnSetKind::otio, {});
    ASSERT_EQ(kind1.size(), 49u);
    EXPECT_EQ(kind1[0], H::Row);
    EXPECT_EQ(kind1[2], H::Track);
    EXPECT_EQ(kind1[3], H::ClipName);
    EXPECT_EQ(kind1[40], H::SourceFilePath);
    EXPECT_EQ(kind1[48], H::ID3publisher);
    EXPECT_EQ(columns(ColumnSetKind::otioAlternate, {}), kind1);
    EXPECT_EQ(columns(ColumnSetKind::xmeml, {}).size(), 50u);
    EXPECT_EQ(columns(ColumnSetKind::xmeml, {{"frameSize", false}}), kind1);
    EXPECT_EQ(columns(ColumnSetKind::binClips, {}).size(), 28u);
    EXPECT_EQ(columns(ColumnSetKind::eventRoles, {}).size(), 16u);
    EXPECT_EQ(columns(ColumnSetKind::timelineRoles, {}).size(), 22u);
    EXPECT_FALSE(clipSheetColumns(ColumnSetKind::none, {}).has_value());
    EXPECT_FALSE(clipSheetColumns(static_cast<ColumnSetKind>(7), {}).has_value());

    // No thumbnail width, no thumbnail column, whatever the switch says.
    auto noWidth = columns(ColumnSetKind::otio, {{"thumbnails", true}}, 0);
    EXPECT_EQ(noWidth, without(kind1, {H::Thumbnail}));
    EXPECT_EQ(noWidth[1], H::Track);

    EXPECT_EQ(columns(ColumnSetKind::otio, {{"in", false}}),
              without(kind1, {H::TimelineInTC, H::TimelineInFrames, H::TimelineInFF,
                              H::TimelineInClock, H::TimelineInSecs}));

    auto tcOnly = columns(ColumnSetKind::otio, {{"reportSeqTimecode", true},
                                                {"reportSeqFrames", false},
                                                {"reportSeqFeet+Frames", false},
                                                {"reportSeqClock", false},
                                                {"reportSeqSeconds", false}});
    EXPECT_EQ(tcOnly.size(), 49u - 12u);
    EXPECT_TRUE(contains(tcOnly, H::TimelineInTC));
    EXPECT_TRUE(contains(tcOnly, H::ClipDurationTC));
    EXPECT_FALSE(contains(tcOnly, H::ClipDurationSecs));
    EXPECT_TRUE(contains(tcOnly, H::SourceInSecs));

    EXPECT_EQ(columns(ColumnSetKind::binClips, {{"reportSrcSeconds", false}}),
              without(columns(ColumnSetKind::binClips, {}),
                      {H::SourceInSecs, H::SourceOutSecs, H::SourceDurationSecs}));
    EXPECT_EQ(columns(ColumnSetKind::eventRoles, {{"reportSrcSeconds", false}}),
              columns(ColumnSetKind::eventRoles, {}));
    EXPECT_EQ(columns(ColumnSetKind::timelineRoles, {{"reportSrcSeconds", false}}),
              columns(ColumnSetKind::timelineRoles, {}));
    EXPECT_EQ(columns(ColumnSetKind::eventRoles, {{"srcDuration", false}}),
              without(columns(ColumnSetKind::eventRoles, {}),
                      {H::SourceDurationTC, H::SourceDurationFrames}));
    EXPECT_EQ(columns(ColumnSetKind::eventRoles, {{"reportSrcFrames", false}}),
              without(columns(ColumnSetKind::eventRoles, {}), {H::SourceDurationFrames}));
    EXPECT_EQ(columns(ColumnSetKind::binClips, {{"labels", false}}),
              without(columns(ColumnSetKind::binClips, {}), {H::Label}));
    EXPECT_EQ(
        columns(
            ColumnSetKind::binClips,
            {{"lognote", false}, {"cameraroll", false}, {"dailyroll", false}, {"labroll", false}}),
        columns(ColumnSetKind::binClips, {}));
    EXPECT_EQ(columns(ColumnSetKind::otio, {{"id3Metadata", false}}).size(), 41u);
}

TEST(TextOrderTest, CodePointsAfterCanonicalForm) {
    EXPECT_EQ(sortedTexts({"b", "B", "a"}), (std::vector<std::string>{"B", "a", "b"}));
    EXPECT_EQ(sortedTexts({"apple", "Zebra"}), (std::vector<std::string>{"Zebra", "apple"}));
    EXPECT_TRUE(sortedTexts({}).empty());
    // "é" precomposed and decomposed are equal (input order stays), and after "f" by code point.
    std::string composed = "\u00E9", decomposed = "e\u0301";
    EXPECT_EQ(sortedTexts({decomposed, "f", composed}),
              (std::vector<std::string>{"f", decomposed, composed}));
    EXPECT_EQ(sortedTexts({composed, decomposed}),
              (std::vector<std::string>{composed, decomposed}));
    EXPECT_LT(compareStandardText("e", composed), 0);

    std::vector<FileSummaryItem> files = {
        {"clip2.mov", "/a", 1}, {"clip10.mov", "/b", 2}, {"Clip1.mov", "/c", 3}};
    sortFilesSummary(files);
    EXPECT_EQ(files[0].name, "Clip1.mov");
    EXPECT_EQ(files[1].name, "clip10.mov");
    EXPECT_EQ(files[2].name, "clip2.mov");
}

TEST(FileSummaryItemTest, LastPathComponent) {
    const std::pair<const char*, const char*> table[] = {{"/media/Day 1/A001.mov", "A001.mov"},
                                                         {"/media/", "media"},
                                                         {"/", "/"},
                                                         {"", ""},
                                                         {"clip.mov", "clip.mov"}};
    for (const auto& [path, name] : table) {
        EXPECT_EQ(lastPathComponent(path), name) << path;
    }
}

TEST(FileSummaryItemTest, AListKeepsOneItemPerPathInFirstMetOrder) {
    FileSummaryList list;
    const std::pair<const char*, double> clips[] = {
        {"/m/b.mov", 10}, {"/m/a.mov", 1}, {"/m/b.mov", 5}, {"", 2}, {"/m/a.mov", 1}, {"", 3}};
    for (const auto& [path, duration] : clips) {
        list.add(path, duration);
    }
    std::vector<FileSummaryItem> items = list.take();
    ASSERT_EQ(items.size(), 3u);
    const std::tuple<std::string, std::string, double> expected[] = {
        {"b.mov", "/m/b.mov", 15}, {"a.mov", "/m/a.mov", 2}, {"", "", 5}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(std::tie(items[i].name, items[i].path, items[i].estimatedTotal), expected[i]);
    }
    EXPECT_TRUE(list.take().empty());
}
