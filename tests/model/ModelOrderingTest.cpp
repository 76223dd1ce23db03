#include "model/Model.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>

namespace marrowvale {
namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

StoryElement* element(ModelContext& context, double position, std::int64_t sortOrder,
                      StoryElement::Category category = StoryElement::Category::assetclip) {
    auto* e = context.create<StoryElement>(category, sortOrder, TrackType::Video, "25", "V1");
    e->clipTimelinePosition = position;
    return e;
}

TEST(ModelOrderingTest, StoryElementComparison) {
    using Category = StoryElement::Category;
    ModelContext c;
    struct Case {
        StoryElement* lhs;
        StoryElement* rhs;
        bool less;
        bool greater;
    };
    StoryElement* transition = element(c, 10, 5, Category::transition);
    StoryElement* clipAt10 = element(c, 10, 1);
    const Case cases[] = {
        {element(c, 10, 9, Category::title), element(c, 20, 1, Category::transition), true, false},
        {element(c, 10, 1), element(c, 10, 2), true, false},
        {element(c, 10, 2), element(c, 10, 2), false, false},
        // A transition is less than a clip at its position, which may be less than it too.
        {transition, clipAt10, true, true},
        {transition, transition, true, true},
        {element(c, 10, 1, Category::transition), element(c, 10, 1, Category::transition), true,
         true},
        {element(c, notANumber, 1, Category::transition), element(c, 10, 2), false, false},
        {element(c, 10, 1), element(c, notANumber, 2), false, false},
        {element(c, -0.0, 1), element(c, 0.0, 2), true, false},
    };
    for (const auto& [lhs, rhs, less, greater] : cases) {
        SCOPED_TRACE(lhs->debugDescription() + " vs " + rhs->debugDescription());
        EXPECT_EQ(clipOrderBefore(*lhs, *rhs), less);
        EXPECT_EQ(clipOrderBefore(*rhs, *lhs), greater);
    }
}

TEST(ModelOrderingTest, StoryElementsSortInTimelineOrderWithTiesKept) {
    using Category = StoryElement::Category;
    ModelContext c;
    StoryElement* late = element(c, 20, 0);
    StoryElement* sort3 = element(c, 10, 3);
    StoryElement* transitionA = element(c, 10, 9, Category::transition);
    StoryElement* unplaced = element(c, notANumber, 0);
    StoryElement* sort1 = element(c, 10, 1);
    StoryElement* early = element(c, 5, 7, Category::transition);
    StoryElement* transitionB = element(c, 10, 0, Category::transition);
    StoryElement* sort1Again = element(c, 10, 1);
    std::vector<StoryElement*> elements{late,  sort3, transitionA, unplaced,  nullptr,
                                        sort1, early, transitionB, sort1Again};
    sortStoryElements(elements);
    EXPECT_EQ(elements, (std::vector<StoryElement*>{early, transitionA, transitionB, sort1,
                                                    sort1Again, sort3, late, unplaced, nullptr}));
}

TEST(ModelOrderingTest, RandomElementsSortIntoAConsistentStablePermutation) {
    std::mt19937 random(7);
    ModelContext c;
    std::vector<StoryElement*> elements;
    for (int i = 0; i < 500; ++i) {
        const int kind = static_cast<int>(random() % 10);
        const double position = kind == 0 ? notANumber : static_cast<double>(random() % 8);
        elements.push_back(element(c, position, static_cast<std::int64_t>(random() % 3),
                                   kind < 3 ? StoryElement::Category::transition
                                            : StoryElement::Category::assetclip));
    }
    std::vector<StoryElement*> sorted = elements;
    sortStoryElements(sorted);
    ASSERT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), elements.begin()));
    // The documented order as a key: position, transitions first, then sort order (transitions
    // tie with each other); equal keys keep store order.
    auto key = [](const StoryElement* e) {
        const bool transition = e->category == StoryElement::Category::transition;
        return std::tuple(e->clipTimelinePosition, transition ? 0 : 1,
                          transition ? 0 : e->spreadsheetSortOrder);
    };
    std::size_t numeric = 0;
    while (numeric < sorted.size() && !std::isnan(sorted[numeric]->clipTimelinePosition)) {
        ++numeric;
    }
    for (std::size_t i = numeric; i < sorted.size(); ++i) {
        EXPECT_TRUE(std::isnan(sorted[i]->clipTimelinePosition)) << i;
    }
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        const StoryElement& a = *sorted[i];
        const StoryElement& b = *sorted[i + 1];
        // never a later element strictly before
        EXPECT_FALSE(clipOrderBefore(b, a) && !clipOrderBefore(a, b)) << i;
        if (i + 1 < numeric) {
            EXPECT_LE(key(&a), key(&b)) << i;
        }
        if (i + 1 < numeric ? key(&a) == key(&b) : i >= numeric) {
            EXPECT_LT(a.persistentModelID(), b.persistentModelID()) << i;
        }
    }
    EXPECT_TRUE(std::isnan(sorted.back()->clipTimelinePosition));
}

TEST(ModelOrderingTest, BinsTracksAndMarkers) {
    ModelContext c;
    auto* upperB = c.create<EventBin>("B");
    auto* lowerA = c.create<EventBin>("a");
    auto* precomposed = c.create<EventBin>("Caf\u00e9");
    auto* decomposed = c.create<EventBin>("Cafe\u0301");
    EXPECT_TRUE(*upperB < *lowerA);
    EXPECT_FALSE(*lowerA < *upperB);
    EXPECT_FALSE(*precomposed < *decomposed);
    EXPECT_FALSE(*decomposed < *precomposed);
    EXPECT_TRUE(*precomposed <= *decomposed && *precomposed >= *decomposed);
    EXPECT_TRUE(*upperB < *precomposed); // "B" < "C"
    std::vector<EventBin*> bins{lowerA, decomposed, upperB, precomposed};
    sortEventBins(bins);
    EXPECT_EQ(bins, (std::vector<EventBin*>{upperB, decomposed, precomposed, lowerA}));

    auto* v0 = c.create<VideoTrack>(0, "V0", true);
    auto* vNeg = c.create<VideoTrack>(-1, "V-1", true);
    auto* v0Again = c.create<VideoTrack>(0, "V0b", true);
    EXPECT_TRUE(*vNeg < *v0);
    EXPECT_TRUE(*v0 <= *v0Again && *v0Again <= *v0 && *v0 >= *v0Again);
    std::vector<VideoTrack*> videoTracks{v0, v0Again, vNeg};
    sortTracks(videoTracks);
    EXPECT_EQ(videoTracks, (std::vector<VideoTrack*>{vNeg, v0, v0Again}));
    auto* a2 = c.create<AudioTrack>(2, "A2", true);
    auto* a1 = c.create<AudioTrack>(1, "A1", true);
    std::vector<AudioTrack*> audioTracks{a2, nullptr, a1};
    sortTracks(audioTracks);
    EXPECT_EQ(audioTracks, (std::vector<AudioTrack*>{a1, a2, nullptr}));

    auto marker = [&c](double position) {
        return c.create<MarkedRange>(nullptr, "", "", std::vector<std::string>{}, "Red", 0.0,
                                     position, 0.0, true);
    };
    MarkedRange* m5 = marker(5);
    MarkedRange* mNaN = marker(notANumber);
    MarkedRange* m1 = marker(1);
    MarkedRange* m5Again = marker(5);
    EXPECT_FALSE(*m5 < *m5Again || *m5Again < *m5);
    EXPECT_TRUE(*m5 <= *m5Again && *m5Again <= *m5);
    EXPECT_FALSE(*mNaN < *m1 || *m1 < *mNaN);
    std::vector<MarkedRange*> markers{m5, mNaN, m1, m5Again};
    sortMarkedRanges(markers);
    EXPECT_EQ(markers, (std::vector<MarkedRange*>{m1, m5, m5Again, mNaN}));
}

TEST(ModelOrderingTest, EnumerationTextsMatchExactly) {
    for (int i = 0; i <= static_cast<int>(StoryElement::Category::transition); ++i) {
        const auto category = static_cast<StoryElement::Category>(i);
        EXPECT_EQ(fromString<StoryElement::Category>(toString(category)), category);
    }
    for (int i = 0; i <= static_cast<int>(Composition::Category::SyncClip); ++i) {
        const auto category = static_cast<Composition::Category>(i);
        EXPECT_EQ(Composition::fromString(Composition::toString(category)), category);
    }
    for (int i = 0; i <= static_cast<int>(Asset::Category::Image); ++i) {
        const auto category = static_cast<Asset::Category>(i);
        EXPECT_EQ(fromString<Asset::Category>(toString(category)), category);
    }
    EXPECT_EQ(StoryElement::fromString("stillImage"), StoryElement::Category::stillImage);
    EXPECT_EQ(Composition::fromString("SyncClip"), Composition::Category::SyncClip);
    EXPECT_EQ(Asset::fromString("AV"), Asset::Category::AV);
    EXPECT_EQ(fromString<TrackType>("Audio"), TrackType::Audio);
    EXPECT_EQ(toString(Composition::Category::null), "null");
    EXPECT_EQ(toString(TrackType::Video), "Video");
    for (const char* text : {"stillimage", "Transition", "", " null"}) {
        EXPECT_FALSE(StoryElement::fromString(text)) << text;
    }
    for (const char* text : {"syncclip", "Sync Clip", ""}) {
        EXPECT_FALSE(Composition::fromString(text)) << text;
    }
    EXPECT_FALSE(Asset::fromString("av"));
    EXPECT_FALSE(fromString<TrackType>("audio"));

    const char* kinds[] = {"none",    "Standard", "Incomplete To-Do", "Completed To-Do", "Chapter",
                           "keyword", "favorite", "rejected",         "analysis"};
    for (int i = 0; i <= static_cast<int>(MarkerKind::analysis); ++i) {
        EXPECT_EQ(markerKindName(static_cast<MarkerKind>(i)), kinds[i]);
    }
    MarkedRange range;
    range.color = "standard";
    EXPECT_FALSE(range.isKind(MarkerKind::standard));
    range.color = "Standard";
    EXPECT_TRUE(range.isKind(MarkerKind::standard));
}

TEST(ModelOrderingTest, CreationValues) {
    ModelContext c;
    const auto* e =
        c.create<StoryElement>(StoryElement::Category::title, 4, std::nullopt, "29.97d", "V2");
    EXPECT_EQ(e->category, StoryElement::Category::title);
    EXPECT_EQ(e->spreadsheetSortOrder, 4);
    EXPECT_FALSE(e->trackType);
    EXPECT_EQ(e->timecodeFrameRate, "29.97d");
    EXPECT_EQ(e->trackName, "V2");
    EXPECT_TRUE(e->enabled);
    EXPECT_FALSE(e->appleEffect);
    EXPECT_TRUE(e->id.empty() && e->name.empty() && e->timelineClipCategory.empty());
    EXPECT_EQ(e->clipTimelinePosition, 0.0);
    EXPECT_FALSE(e->srcInpoint || e->srcDuration);
    EXPECT_TRUE(e->asset == nullptr && e->composition == nullptr && e->speedFX == nullptr);
    EXPECT_TRUE(e->params.empty() && e->metadata.empty() && e->markedRanges.empty() &&
                e->videoFX.empty() && e->audioFX.empty() && e->audioSubroles.empty());

    EXPECT_EQ(c.create<AudioTrack>(1, "A1", true)->premiereTrackType, "Mono");

    // Both argument orders of a marked range give the same range.
    auto* colourFifth = c.create<MarkedRange>(nullptr, "n", "o", std::vector<std::string>{"k"},
                                              "Blue", 1.0, 2.0, 3.0, false);
    auto* colourLast = c.create<MarkedRange>(nullptr, "n", "o", std::vector<std::string>{"k"}, 1.0,
                                             2.0, 3.0, false, "Blue");
    EXPECT_EQ(colourFifth->debugDescription(), colourLast->debugDescription());
    EXPECT_EQ(colourLast->keywords, std::vector<std::string>{"k"});

    // Absent parameter lists and tracks stay absent; empty ones stay empty.
    EXPECT_FALSE(c.create<SpeedFX>("Freeze", 0.0)->params);
    auto* withEmpty = c.create<VideoFX>("Motion", "", true, std::vector<FxKeyValueTime*>{});
    ASSERT_TRUE(withEmpty->params);
    EXPECT_TRUE(withEmpty->params->empty());
    auto* audio = c.create<AudioFX>("Audio Levels", "", std::nullopt, true);
    EXPECT_FALSE(audio->track);
    EXPECT_FALSE(audio->params);
}

} // namespace
} // namespace marrowvale
