#include "model/Model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

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
        asset = context.create<Asset>("as-1", "A001.mov", 0.0, 250.0, "25", format,
                                      "file:///media/A001.mov", false, false, true, false,
                                      "1920 X 1080", "48000", "", Asset::Category::AV);
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

} // namespace
} // namespace marrowvale
