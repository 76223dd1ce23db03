#include "model/Model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace marrowvale {
namespace {

// A small imported timeline: one bin with a sequence of one video and one audio track, a clip
// on each with an asset, a format, a marker, metadata and effects.
struct SampleTimeline {
    ModelContext context;
    EventBin* bin = nullptr;
    VideoFormat* format = nullptr;
    Asset* asset = nullptr;
    Composition* sequence = nullptr;
    VideoTrack* videoTrack = nullptr;
    AudioTrack* audioTrack = nullptr;
    StoryElement* videoClip = nullptr;
    StoryElement* audioClip = nullptr;
    MarkedRange* marker = nullptr;
    FxKeyValueTime* param = nullptr;
    SpeedFX* speed = nullptr;

    SampleTimeline() {
        bin = context.insert(EventBin("Bin", {}, {}));
        format = context.create<VideoFormat>(makeIdentifier("vf-"), "HD", "25p", 1920, 1080, false,
                                             "none", "square");
        asset = context.create<Asset>();
        asset->id = "as-1";
        asset->name = "A001.mov";
        asset->duration = 250.0;
        asset->timecodeFrameRate = "25";
        asset->videoFormat = format;
        asset->url = "file:///media/A001.mov";
        asset->online = true;
        asset->frameSize = "1920 X 1080";
        asset->audioRate = "48000";
        asset->category = Asset::Category::AV;
        sequence = context.create<Composition>(
            "sequence-1", "Cut 1", 90000.0, 500.0, "25", format, std::vector<VideoTrack*>{},
            "stereo", 48000, std::vector<AudioTrack*>{}, std::vector<MarkedRange*>{},
            std::vector<Metadata*>{}, Composition::Category::TimelineSequence);
        bin->storyCompositions.push_back(sequence);
        videoTrack = context.create<VideoTrack>(1, "V1", true);
        audioTrack = context.create<AudioTrack>(1, "A1", true);
        sequence->videoTracks.push_back(videoTrack);
        sequence->audioTracks.push_back(audioTrack);
        videoClip = context.create<StoryElement>(StoryElement::Category::assetclip, 1,
                                                 TrackType::Video, "25", "V1");
        audioClip = context.create<StoryElement>(StoryElement::Category::assetclip, 2,
                                                 TrackType::Audio, "25", "A1");
        videoClip->asset = asset;
        videoClip->composition = sequence;
        videoTrack->elements.push_back(videoClip);
        audioTrack->elements.push_back(audioClip);
        bin->clips.push_back(videoClip);
        marker = context.create<MarkedRange>(videoClip, "M", "", std::vector<std::string>{}, "Red",
                                             0.0, 10.0, 1.0, true);
        videoClip->markedRanges.push_back(marker);
        sequence->markers.push_back(marker);
        auto* entry = context.create<Metadata>("scene", "12");
        videoClip->metadata.push_back(entry);
        sequence->metadata.push_back(entry);
        param = context.create<FxKeyValueTime>("gain", "1.0", 2.0);
        videoClip->videoFX.push_back(context.create<VideoFX>("Motion", "scale 100", true,
                                                             std::vector<FxKeyValueTime*>{param}));
        audioClip->audioFX.push_back(context.create<AudioFX>(
            "Audio Levels", "0 dB", std::nullopt, true, std::vector<FxKeyValueTime*>{param}));
        speed = context.create<SpeedFX>("Constant", 50.0, std::vector<FxKeyValueTime*>{param});
        videoClip->speedFX = speed;
    }
};

TEST(ModelContextTest, CreatedObjectsAreStoredAndFetchedInStoreOrder) {
    SampleTimeline timeline;
    ModelContext& context = timeline.context;
    EXPECT_EQ(context.count<EventBin>(), 1U);
    EXPECT_EQ(context.count<StoryElement>(), 2U);
    EXPECT_EQ(context.fetchAll<StoryElement>(),
              (std::vector<StoryElement*>{timeline.videoClip, timeline.audioClip}));
    EXPECT_TRUE(context.hasChanges());
    context.save();
    EXPECT_FALSE(context.hasChanges());

    // Identity: distinct store identifiers, equal only to itself.
    std::set<PersistentIdentifier> identifiers;
    for (auto* element : context.fetchAll<StoryElement>()) {
        identifiers.insert(element->persistentModelID());
    }
    EXPECT_EQ(identifiers.size(), 2U);
    EXPECT_NE(timeline.videoClip->persistentModelID(), 0U);
}

TEST(ModelContextTest, FetchFiltersSortsAndLimits) {
    ModelContext context;
    auto makeSequence = [&context](const char* name, const char* id) {
        return context.create<Composition>(
            id, name, 0.0, 0.0, "25", nullptr, std::vector<VideoTrack*>{}, "", 48000,
            std::vector<AudioTrack*>{}, std::vector<MarkedRange*>{}, std::vector<Metadata*>{},
            Composition::Category::TimelineSequence);
    };
    Composition* first = makeSequence("Cut 1", "s1");
    makeSequence("cut 1", "s2");
    Composition* second = makeSequence("Cut 1", "s3");

    // By exact name, first match only: case matters and the store order decides.
    EXPECT_EQ(context.fetchComposition("Cut 1"), first);
    EXPECT_EQ(context.fetchComposition("Cut"), nullptr);
    EXPECT_EQ(context.fetch(FetchDescriptor<Composition>{
                  propertyEquals(&Composition::name, std::string("Cut 1")), {}, {}}),
              (std::vector<Composition*>{first, second}));
    EXPECT_TRUE(context.fetch(FetchDescriptor<Composition>{{}, {}, 0}).empty());

    // Sorted by id in reverse, and by a numeric key.
    const auto byIdReversed = context.fetch(FetchDescriptor<Composition>{
        {}, {SortDescriptor<Composition>(&Composition::id, SortOrder::reverse)}, 2});
    ASSERT_EQ(byIdReversed.size(), 2U);
    EXPECT_EQ(byIdReversed[0]->id, "s3");
    EXPECT_EQ(byIdReversed[1]->id, "s2");
    first->audioSampleRate = 96000;
    const auto byRate = context.fetch(FetchDescriptor<Composition>{
        {}, {SortDescriptor<Composition>(&Composition::audioSampleRate, SortOrder::reverse)}, 1});
    EXPECT_EQ(byRate, std::vector<Composition*>{first});
}

TEST(ModelContextTest, BinsSortByNameStablyInEitherTextOrder) {
    ModelContext context;
    EventBin* lower = context.insert(EventBin("a"));
    EventBin* upper = context.insert(EventBin("B"));
    EventBin* ten = context.insert(EventBin("Bin 10"));
    EventBin* nine = context.insert(EventBin("Bin 9"));
    EventBin* upperAgain = context.insert(EventBin("B"));

    EXPECT_EQ(context.fetchBinsSortedByName(),
              (std::vector<EventBin*>{upper, upperAgain, ten, nine, lower}));
    EXPECT_EQ(context.fetchBinsSortedByName(TextComparison::localizedStandard),
              (std::vector<EventBin*>{lower, upper, upperAgain, nine, ten}));
}

TEST(ModelContextTest, DeletingAClassClearsEveryRelationshipToIt) {
    SampleTimeline t;
    t.context.deleteAll<VideoFormat>();
    EXPECT_EQ(t.asset->videoFormat, nullptr);
    EXPECT_EQ(t.sequence->videoFormat, nullptr);

    t.context.deleteAll<FxKeyValueTime>();
    ASSERT_TRUE(t.speed->params.has_value());
    EXPECT_TRUE(t.speed->params->empty());
    EXPECT_TRUE(t.videoClip->videoFX.front()->params->empty());

    t.context.deleteAll<Asset>();
    EXPECT_EQ(t.videoClip->asset, nullptr);

    t.context.deleteAll<StoryElement>();
    EXPECT_TRUE(t.videoTrack->elements.empty());
    EXPECT_TRUE(t.audioTrack->elements.empty());
    EXPECT_TRUE(t.bin->clips.empty());
    EXPECT_EQ(t.marker->clip, nullptr);

    t.context.deleteAll<MarkedRange>();
    t.context.deleteAll<Metadata>();
    t.context.deleteAll<VideoTrack>();
    t.context.deleteAll<AudioTrack>();
    EXPECT_TRUE(t.sequence->markers.empty());
    EXPECT_TRUE(t.sequence->metadata.empty());
    EXPECT_TRUE(t.sequence->videoTracks.empty());
    EXPECT_TRUE(t.sequence->audioTracks.empty());

    t.context.deleteAll<Composition>();
    EXPECT_TRUE(t.bin->storyCompositions.empty());
    EXPECT_EQ(t.bin->debugDescription(), "EventBin: \"Bin\", 0 clips, 0 storyCompositions\n");
}

TEST(ModelContextTest, EffectsAndCompositionsDetachFromTheirElements) {
    SampleTimeline t;
    t.context.deleteAll<VideoFX>();
    t.context.deleteAll<AudioFX>();
    t.context.deleteAll<SpeedFX>();
    t.context.deleteAll<Composition>();
    EXPECT_TRUE(t.videoClip->videoFX.empty());
    EXPECT_TRUE(t.audioClip->audioFX.empty());
    EXPECT_EQ(t.videoClip->speedFX, nullptr);
    EXPECT_EQ(t.videoClip->composition, nullptr);
    EXPECT_EQ(t.videoTrack->debugDescription().substr(0, 11), "VideoTrack ");
}

TEST(ModelContextTest, DeleteAllModelsEmptiesTheStoreInClassOrder) {
    SampleTimeline t;
    std::vector<std::string> deleted;
    t.context.setObserver([&deleted](const ModelChange& change) {
        if (change.kind == ModelChange::Kind::deleted) {
            deleted.emplace_back(change.modelName);
        }
    });
    const PersistentIdentifier lastIdentifier = t.speed->persistentModelID();
    t.context.save();
    t.context.deleteAllModels();
    EXPECT_EQ(deleted, (std::vector<std::string>{"EventBin", "VideoFormat", "Asset", "Composition",
                                                 "VideoTrack", "AudioTrack", "StoryElement",
                                                 "MarkedRange", "Metadata", "FxKeyValueTime",
                                                 "VideoFX", "AudioFX", "SpeedFX"}));
    EXPECT_TRUE(t.context.hasChanges());
    t.context.save();
    EXPECT_TRUE(t.context.fetchAll<EventBin>().empty());
    EXPECT_TRUE(t.context.fetchAll<StoryElement>().empty());
    EXPECT_EQ(t.context.count<SpeedFX>(), 0U);
    EXPECT_EQ(t.context.fetchComposition("Cut 1"), nullptr);

    // The store is usable again, and identifiers are never reused.
    EventBin* bin = t.context.create<EventBin>("");
    EXPECT_GT(bin->persistentModelID(), lastIdentifier);
}

TEST(ModelContextTest, IdentityIsTheStoredObjectNotItsValues) {
    ModelContext context;
    Asset* one = context.create<Asset>();
    Asset* two = context.create<Asset>();
    one->id = two->id = "as-same";
    EXPECT_FALSE(*one == *two);
    EXPECT_TRUE(*one == *one);
    auto* a = context.create<FxKeyValueTime>("k", "v", 1.0);
    auto* b = context.create<FxKeyValueTime>("k", "v", 1.0);
    EXPECT_FALSE(*a == *b);
    EXPECT_NE(a->persistentModelID(), b->persistentModelID());
    EXPECT_EQ(context.insert(std::unique_ptr<Metadata>()), nullptr);

    // A shared format is one object: a change through one asset shows everywhere.
    VideoFormat* format = context.create<VideoFormat>();
    one->videoFormat = two->videoFormat = format;
    one->videoFormat->width = 3840;
    EXPECT_EQ(two->videoFormat->width, 3840);
}

TEST(ModelContextTest, IdentifiersArePrefixedLowerCaseVersion4UUIDs) {
    const std::string first = makeIdentifier("vf-");
    const std::string second = makeIdentifier("vf-");
    EXPECT_NE(first, second);
    ASSERT_EQ(first.size(), 39U);
    EXPECT_EQ(first.substr(0, 3), "vf-");
    const std::string uuid = first.substr(3);
    for (std::size_t i = 0; i < uuid.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            EXPECT_EQ(uuid[i], '-');
        } else {
            EXPECT_NE(std::string("0123456789abcdef").find(uuid[i]), std::string::npos) << uuid;
        }
    }
    EXPECT_EQ(uuid[14], '4');
    EXPECT_NE(std::string("89ab").find(uuid[19]), std::string::npos) << uuid;

    // Unique within a thread and across threads, each of which draws from a generator of its own.
    std::vector<std::vector<std::string>> made(4);
    std::vector<std::thread> threads;
    for (auto& identifiers : made) {
        threads.emplace_back([&identifiers] {
            for (int i = 0; i < 2000; ++i) {
                identifiers.push_back(makeIdentifier("as-"));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    std::set<std::string> distinct;
    for (const auto& identifiers : made) {
        distinct.insert(identifiers.begin(), identifiers.end());
    }
    EXPECT_EQ(distinct.size(), 4U * 2000U);
}

} // namespace
} // namespace marrowvale
