// The roles report of an FCPXML timeline, from a store the test fills, and its sheet titles.
#include "report/RolesReport.h"

#include "ReportFixtures.h"
#include "app/ReportRequest.h"
#include "model/AudioFX.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/MarkedRange.h"
#include "model/SpeedFX.h"
#include "model/StoryElement.h"
#include "model/VideoFX.h"
#include "model/VideoTrack.h"
#include "report/ReportRun.h"
#include "support/WorkbookReader.h"

#include <gtest/gtest.h>

using namespace marrowvale;
using namespace marrowvale::testing;
using Rows = std::vector<std::vector<std::string>>;

TEST(RolesReportTest, SheetTitlesAreValidAndUnique) {
    const std::string forty(40, 'r');
    const std::string accented = std::string(30, 'a') + "e\u0301"; // 32 scalars, 31 characters
    struct Case {
        std::string key;
        std::vector<std::string> taken;
        std::string title;
    };
    const Case cases[] = {
        {"Dialogue: Main/Boom", {}, "Dialogue Main|Boom"},
        {"a*b?c\\d[e]", {}, "abc|d(e)"},
        {"'Quoted'", {}, "Quoted"},
        {"KEYWORDS", {}, "KEYWORDS1"},
        {"Transitions", {}, "Transitions1"},
        {"music", {"Music"}, "music1"},
        {"\u00C4RGER", {"\u00E4rger"}, "\u00C4RGER1"},
        {forty, {}, forty.substr(0, 31)},
        {forty, {forty.substr(0, 31)}, forty.substr(0, 30) + "1"},
        {accented, {}, std::string(30, 'a')},
        {":?*", {}, "All Clips"},
        {"", {"All Clips"}, "All Clips1"},
        // Every one-digit title taken: two digits, still within 31 characters.
        {forty,
         {forty.substr(0, 31), forty.substr(0, 30) + "1", forty.substr(0, 30) + "2",
          forty.substr(0, 30) + "3", forty.substr(0, 30) + "4", forty.substr(0, 30) + "5",
          forty.substr(0, 30) + "6", forty.substr(0, 30) + "7", forty.substr(0, 30) + "8",
          forty.substr(0, 30) + "9"},
         forty.substr(0, 29) + "10"},
    };
    for (const Case& c : cases) {
        UsedSheetTitles used;
        for (const std::string& title : c.taken) {
            used.add(title);
        }
        EXPECT_EQ(roleSheetTitle(c.key, used), c.title) << c.key;
    }
}

namespace {

/// An FCPXML store: "Cut 1" with clips in two video roles and one audio role with two subroles,
/// a title, a generator, a transition, a gap, effects and marked ranges of every kind; "Cut 2"
/// with a marker of its own.
struct RolesTimeline {
    ModelContext store;
    StoryElement* interview = nullptr;

    StoryElement* clip(StoryElement::Category category, TrackType track, std::string name,
                       double position, std::vector<StoryElement*>& elements) {
        StoryElement* element =
            store.create<StoryElement>(category, static_cast<std::int64_t>(elements.size()), track,
                                       "25", track == TrackType::Video ? "V1" : "A1");
        element->name = std::move(name);
        element->clipTimelinePosition = position;
        element->clipDuration = 50;
        elements.push_back(element);
        return element;
    }

    MarkedRange* range(std::string name, std::string kind, double position, StoryElement* on) {
        MarkedRange* marked = store.create<MarkedRange>();
        marked->name = std::move(name);
        marked->color = std::move(kind);
        marked->timelinePosition = position;
        marked->clip = on;
        if (on != nullptr) {
            on->markedRanges.push_back(marked);
        }
        return marked;
    }

    RolesTimeline() {
        using Category = StoryElement::Category;
        auto* cut = store.create<Composition>();
        cut->name = "Cut 1";
        cut->timecodeFrameRate = "25";
        auto* video = store.create<VideoTrack>(1, "V1", true);
        auto* audio = store.create<AudioTrack>(1, "A1", true);
        cut->videoTracks = {video};
        cut->audioTracks = {audio};

        interview = clip(Category::assetclip, TrackType::Video, "Interview", 0, video->elements);
        interview->videoRole = "Video";
        interview->reel = "R1";
        interview->videoFX = {store.create<VideoFX>("Color", "warm", true)};
        interview->speedFX = store.create<SpeedFX>("Slow", 50);
        StoryElement* title =
            clip(Category::title, TrackType::Video, "Lower Third", 50, video->elements);
        title->videoRole = "titles";
        title->params = {{"font", "Futura"}, {"text", "Ana"}};
        clip(Category::generator, TrackType::Video, "Bars", 100, video->elements)->videoRole =
            "Video";
        StoryElement* dissolve =
            clip(Category::transition, TrackType::Video, "Dissolve", 40, video->elements);
        dissolve->timelineClipCategory = "transition";
        clip(Category::gap, TrackType::Video, "Gap", 150, video->elements);
        StoryElement* sound =
            clip(Category::assetclip, TrackType::Audio, "Interview sound", 0, audio->elements);
        sound->audioRole = "Dialogue";
        sound->audioSubroles = {"Lav", "Boom"};
        sound->audioFX = {store.create<AudioFX>("EQ", "", std::nullopt, true)};

        cut->markers = {range("Act 1", "Chapter", 0, nullptr),
                        range("Scan", "analysis", 5, nullptr)};
        range("Fix", "Standard", 20, interview)->srcInpoint = 20;
        range("Good", "favorite", 10, interview);
        range("Interview", "keyword", 0, interview);
        range("Noise", "rejected", 30, sound);
        range("Plain", "none", 40, interview);

        auto* other = store.create<Composition>();
        other->name = "Cut 2";
        other->markers = {range("Elsewhere", "Standard", 0, nullptr)};
    }
};

} // namespace

TEST(RolesReportTest, RoleSheetsThenTheFixedSheets) {
    RolesTimeline timeline;
    ScratchFolder folder;
    FakeReportHost host;
    host.destination = (folder.path() / "roles.xlsx").string();
    ReportRequest request;
    request.sequenceTitle = "Cut 1";
    request.sheetKeys = {SheetKey::markers}; // the roles report writes its own fixed set
    request.importState = {InputType::FCPXML, ColumnSetKind::timelineRoles};
    ASSERT_EQ(createXLSX(timeline.store, request, host).status, ReportStatus::written)
        << ::testing::PrintToString(host.alerts);

    WorkbookReader book(*host.destination);
    ASSERT_EQ(book.sheetNames(),
              (std::vector<std::string>{"All Clips", "Video", "titles", "Dialogue \u25B8 Boom",
                                        "Dialogue \u25B8 Lav", "Keywords", "Markers",
                                        "Titles & Generators", "Video & Audio Effects",
                                        "Speed Change Effects", "Transitions"}));
    auto clipNames = [&](const std::string& sheet) {
        std::vector<std::string> names;
        const int column = book.column(sheet, "Clip Name");
        for (const auto& row : book.texts(sheet)) {
            names.push_back(row[static_cast<std::size_t>(column)]);
        }
        return names;
    };
    EXPECT_EQ(clipNames("All Clips"),
              (std::vector<std::string>{"Clip Name", "Interview", "Interview sound", "Lower Third",
                                        "Bars"}));
    EXPECT_EQ(clipNames("Video"), (std::vector<std::string>{"Clip Name", "Interview", "Bars"}));
    EXPECT_EQ(clipNames("Dialogue \u25B8 Lav"),
              (std::vector<std::string>{"Clip Name", "Interview sound"}));

    // Keyword ranges by position, coloured by kind; "Cut 2" and ranges of no kind stay out.
    EXPECT_EQ(
        book.texts("Keywords"),
        (Rows{{"Keyword", "Notes", "Timeline In", "Timeline Out", "Duration", "Clip Name",
               "Role \u25B8 Subrole", "Reel", "Scene"},
              {"Interview", "", "00:00:00:00", "??", "00:00:00:00", "Interview", "Video", "R1", ""},
              {"Scan", "", "00:00:00:05", "00:00:00:04", "00:00:00:00", "", "", "", ""},
              {"Good", "", "00:00:00:10", "00:00:00:09", "00:00:00:00", "Interview", "Video", "R1",
               ""},
              {"Noise", "", "00:00:01:05", "00:00:01:04", "00:00:00:00", "Interview sound",
               "Dialogue", "", ""}}));
    EXPECT_EQ(book.colours("Keywords", 0),
              (std::vector<std::string>{"FF0000FF", "FFFF6600", "FF008000", "FFFF0000"}));
    EXPECT_EQ(book.texts("Markers"),
              (Rows{{"Marker Name", "Type", "Notes", "Position", "Clip Name", "Role \u25B8 Subrole",
                     "Reel", "Scene", "Source Position"},
                    {"Act 1", "Chapter", "", "00:00:00:00", "", "", "", "", "00:00:00:00"},
                    {"Fix", "Standard", "", "00:00:00:20", "Interview", "Video", "R1", "",
                     "00:00:00:20"}}));

    EXPECT_EQ(book.texts("Titles & Generators"),
              (Rows{{"Clip Name", "Enabled", "Apple", "Role \u25B8 Subrole", "Timeline In",
                     "Timeline Out", "Duration", "Font", "Title Text"},
                    {"Lower Third", "\u2713", "\u2717", "titles", "00:00:02:00", "00:00:03:24",
                     "00:00:02:00", "Futura", "Ana"},
                    {"Bars", "\u2713", "\u2717", "Video", "00:00:04:00", "00:00:05:24",
                     "00:00:02:00", "", ""}}));
    EXPECT_EQ(book.texts("Video & Audio Effects"),
              (Rows{{"Effect", "Settings", "Enabled", "Apple", "Clip Name", "Role \u25B8 Subrole",
                     "Timeline In", "Timeline Out"},
                    {"Color", "warm", "\u2713", "\u2713", "Interview", "Video", "00:00:00:00",
                     "00:00:01:24"},
                    {"EQ", "", "\u2713", "\u2713", "Interview sound", "", "00:00:00:00",
                     "00:00:01:24"}}));
    EXPECT_EQ(
        book.texts("Speed Change Effects"),
        (Rows{{"Effect", "Settings", "Enabled", "Apple", "Clip Name", "Role \u25B8 Subrole",
               "Timeline In", "Timeline Out"},
              {"Slow", "50.0%", "", "", "Interview", "Video", "00:00:00:00", "00:00:01:24"}}));
    EXPECT_EQ(
        book.texts("Transitions"),
        (Rows{{"Transition", "Category", "Apple", "Timeline In", "Timeline Out", "Duration"},
              {"Dissolve", "transition", "\u2717", "00:00:01:15", "00:00:03:14", "00:00:02:00"}}));

    // Without a sequence: an empty clip sheet and every fixed sheet, even empty.
    host.destination = (folder.path() / "bins.xlsx").string();
    request.sequenceTitle = "Bin Clips";
    ASSERT_EQ(createXLSX(timeline.store, request, host).status, ReportStatus::written);
    WorkbookReader bins(*host.destination);
    EXPECT_EQ(
        bins.sheetNames(),
        (std::vector<std::string>{"All Clips", "Keywords", "Markers", "Titles & Generators",
                                  "Video & Audio Effects", "Speed Change Effects", "Transitions"}));
    EXPECT_EQ(bins.texts("Transitions").size(), 1u);
}
