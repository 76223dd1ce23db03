// The project's sample timelines, one per editor, decoded end to end: every record kind and
// every editor block is read from its keys, and keys the schema does not list are ignored.
#include "SchemaTestSupport.h"

#include <gtest/gtest.h>

using namespace marrowvale::otio;
using namespace marrowvale::otio::test;

TEST(SampleDocuments, ResolveTimelineReadsEveryResolveBlock) {
    const Timeline timeline = decodeTimeline(sampleText("resolve-timeline.otio"));
    EXPECT_EQ(timeline.otioSchema, "Timeline.1");
    EXPECT_EQ(timeline.name, "Reel 1 - Resolve");
    ASSERT_TRUE(timeline.metadata.resolveOTIO);
    EXPECT_EQ(timeline.metadata.resolveOTIO->resolveOTIOMetaVersion, "1.0");
    EXPECT_FALSE(timeline.metadata.aaf);
    ASSERT_TRUE(timeline.globalStartTime);
    EXPECT_EQ(*timeline.globalStartTime, (RationalTime{"RationalTime.1", 24.0, 86400.0}));

    const Stack& stack = timeline.tracks;
    ASSERT_EQ(stack.children.size(), 2u);
    ASSERT_TRUE(stack.markers && stack.markers->size() == 1);
    EXPECT_EQ(stack.markers->front().color, "BLUE");
    EXPECT_TRUE(stack.markers->front().metadata.resolveOTIO->keywords.empty());

    const Child& v1 = stack.children[0];
    EXPECT_EQ(v1.kind, "Video");
    EXPECT_EQ(v1.metadata->resolveOTIO->locked, false);
    EXPECT_FALSE(v1.sourceRange); // null
    ASSERT_TRUE(v1.children);
    const std::vector<Child>& items = *v1.children;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_TRUE(items[0].isClip());
    EXPECT_TRUE(items[1].isTransition());
    EXPECT_TRUE(items[3].isGap());
    EXPECT_TRUE(items[5].isStack());

    const Child& clip = items[0];
    EXPECT_EQ(clip.metadata->resolveOTIO->linkGroupID, 1);
    EXPECT_EQ(clip.sourceRange->startTime.value, 86424.0);
    EXPECT_EQ(clip.sourceRange->duration.value, 48.0);
    EXPECT_EQ(clip.activeMediaReferenceKey, "DEFAULT_MEDIA");
    const MediaReference& media = clip.mediaReferences->defaultMedia;
    EXPECT_EQ(media.metadata->resolveOTIO->mediaUrl, "/Volumes/Media/Day01/A001_C002.mov");
    EXPECT_EQ(media.targetURL, "file:///Volumes/Media/Day01/A001_C002.mov");
    EXPECT_EQ(media.availableImageBounds->kind(), AnyCodable::Kind::dictionary);
    EXPECT_FALSE(media.isGeneratorReference());

    const DaVREffectMetadata& transform = *clip.effects->at(0).metadata.resolveOTIO;
    EXPECT_EQ(transform.effectName, "Transform");
    EXPECT_EQ(transform.type, 2);
    ASSERT_EQ(transform.parameters->size(), 3u);
    const DaVREffectParameter& zoom = transform.parameters->at(0);
    EXPECT_EQ(zoom.parameterID, "zoomX");
    EXPECT_EQ(zoom.parameterValue.stringValue(), "1.5");
    EXPECT_EQ(zoom.maxValue, 100.0);
    EXPECT_EQ(zoom.minValue, -999999999.0); // written -Infinity
    ASSERT_EQ(zoom.keyFrames->size(), 2u);
    EXPECT_EQ(zoom.keyFrames->at("24").value, AnyCodable(2));
    EXPECT_EQ(transform.parameters->at(1).parameterValue.stringDictionary().at("Y"), "0.75");
    EXPECT_TRUE(transform.parameters->at(2).defaultParameterValue.isNull());
    EXPECT_FALSE(transform.parameters->at(2).maxValue);

    const Marker& marker = clip.markers->at(0);
    EXPECT_EQ(marker.name, "VFX 010");
    EXPECT_EQ(marker.color, "RED");
    EXPECT_EQ(marker.metadata.resolveOTIO->note, "Sky needs replacing");
    EXPECT_EQ(marker.metadata.resolveOTIO->keywords, (std::vector<std::string>{"VFX", "Sky"}));
    EXPECT_EQ(marker.markedRange.startTime.value, 86430.0);

    const Child& dissolve = items[1];
    EXPECT_EQ(dissolve.inOffset->value, 12.0);
    EXPECT_EQ(dissolve.transitionType, "SMPTE_Dissolve");

    // The word in a clip's name is text, not a number.
    EXPECT_EQ(items[2].name, "-Infinity cut");
    EXPECT_EQ(items[2].enabled, false);
    EXPECT_EQ(items[2].effects->at(0).timeScalar, 0.5);

    const MediaReference& generator = items[4].mediaReferences->defaultMedia;
    EXPECT_TRUE(generator.isGeneratorReference());
    EXPECT_EQ(generator.generatorKind, "Fusion Title");
    const DaVRMediaParameter& text = generator.parameters->resolveOTIO->at(0);
    EXPECT_EQ(text.type, 5);
    EXPECT_EQ(text.parameters->at(0).at("Parameter Value").stringValue(),
              "REEL ONE\nNote: \"-Infinity\" stays");
    EXPECT_EQ(text.parameters->at(1).at("Variant Type"), AnyCodable("Double"));

    const Child& compound = items[5];
    EXPECT_EQ(compound.metadata->resolveOTIO->sequenceType, "Compound Clip");
    EXPECT_EQ(compound.children->at(0).children->at(0).mediaReference->targetURL,
              "file:///Volumes/Media/Day02/B002_C001.mov");

    const DaVRChildMetadata& audio = *stack.children[1].children->at(0).metadata->resolveOTIO;
    EXPECT_EQ(audio.audioType, "Stereo");
    EXPECT_EQ(audio.channels, (std::vector<DaVRClipChannel>{{1, 1}, {2, 1}}));
}

TEST(SampleDocuments, PremiereTimelineReadsEveryPremiereBlock) {
    const Timeline timeline = decodeTimeline(sampleText("premiere-timeline.otio"));
    EXPECT_FALSE(timeline.metadata.resolveOTIO);
    const PProStackMetadata& sequence = *timeline.tracks.metadata->premiereproOTIO;
    EXPECT_EQ(sequence.audioFrameRate, 48000.0);
    EXPECT_EQ(sequence.videoResolution, (VideoResolution{1920.0, 1080.0}));

    const Child& video = timeline.tracks.children.at(0);
    EXPECT_EQ(video.metadata->premiereproOTIO, PProChildMetadata{}); // an empty block
    const Child& clip = video.children->at(0);
    EXPECT_EQ(clip.metadata->premiereproOTIO->linkID, "7f3e2c1a-link");
    EXPECT_EQ(clip.mediaReference->targetURL, "file:///Users/editor/Media/Interview%20Cam%20A.mxf");

    const PProEffectMetadata& motion = *clip.effects->at(0).metadata.premiereproOTIO;
    EXPECT_EQ(motion.isIntrinsic, true);
    EXPECT_EQ(motion.matchName, "AE.ADBE Motion");
    const std::vector<PProEffectParameter>& parameters = *motion.parameters;
    ASSERT_EQ(parameters.size(), 5u);
    EXPECT_EQ(parameters[0].startValue->value.stringValue(),
              "[(key: \"X\", value: Marrowvale.AnyCodable(value: 0.5)), "
              "(key: \"Y\", value: Marrowvale.AnyCodable(value: 0.5))]");
    EXPECT_EQ(parameters[1].startValue->value, AnyCodable(100));
    EXPECT_EQ(parameters[2].startValue->value, AnyCodable(12.5));
    EXPECT_EQ(parameters[3].startValue->value, AnyCodable(true));
    EXPECT_FALSE(parameters[4].startValue);

    // A colour written as an object is read by its name.
    const Marker& marker = clip.markers->at(0);
    EXPECT_EQ(marker.color, "GREEN");
    EXPECT_EQ(marker.metadata.premiereproOTIO->comments, "Great answer");

    const Child& title = video.children->at(2);
    EXPECT_EQ(title.metadata->premiereproOTIO->parameters->at(0).displayName, "Source Text");
    EXPECT_TRUE(title.mediaReference->isGeneratorReference());
}

TEST(SampleDocuments, AvidTimelineReadsEveryMediaComposerBlock) {
    const Timeline timeline = decodeTimeline(sampleText("avid-timeline.otio"));
    const AvidTimelineMetadata& sequence = *timeline.metadata.aaf;
    EXPECT_EQ(sequence.name, "Scene 12 Assembly");
    EXPECT_EQ(sequence.mobAttributeList,
              (MobAttributeList{"HD 1080i/59.94 DF", 2})); // "_USER_POS" ignored
    EXPECT_EQ(timeline.tracks.metadata->avidOTIO->slotName, "Scene 12 Assembly");

    const Child& v1 = timeline.tracks.children.at(0);
    const AvidChildMetadata& track = *v1.metadata->aaf;
    EXPECT_EQ(track.segment->drop, true);
    EXPECT_EQ(track.segment->dataDefinition, (DataDefinition{"Picture data", "Picture"}));
    EXPECT_EQ(track.userComments->trackName, "Picture Lock");
    EXPECT_EQ(track.slotName, "V1");
    EXPECT_EQ(timeline.tracks.children.at(1).metadata->aaf->segment, AvidSegment{});

    const Child& clip = v1.children->at(0);
    const AvidChildMetadata& block = *clip.metadata->aaf;
    EXPECT_EQ(block.segment->length, 60);
    EXPECT_EQ(block.segment->physicalTrackNumber, 1);
    EXPECT_EQ(block.segment->mediaKind, "Picture");
    EXPECT_EQ(block.componentAttributeList, (AvidComponentAttributeList{"Resize", "Avid Resize"}));
    EXPECT_FALSE(block.userComments);

    // Null effect names, as older writers leave them, read as absent.
    const Effect& effect = clip.effects->at(0);
    EXPECT_FALSE(effect.name);
    EXPECT_FALSE(effect.effectName);
    EXPECT_EQ(effect.metadata.aaf->operation->name, "Resize");
    EXPECT_EQ(clip.markers->at(0).metadata.avidOTIO->commentMarkerAttributeList->color, "Cyan");
    EXPECT_EQ(clip.mediaReference->otioSchema, "MissingReference.1");
    EXPECT_FALSE(clip.mediaReference->availableRange);
}

TEST(SampleDocuments, WrittenAndReadAgainEachTimelineIsUnchanged) {
    for (const char* name :
         {"resolve-timeline.otio", "premiere-timeline.otio", "avid-timeline.otio"}) {
        SCOPED_TRACE(name);
        const Timeline timeline = decodeTimeline(sampleText(name));
        const std::string written = encodeTimeline(timeline);
        EXPECT_EQ(decodeTimeline(written), timeline);
        // Absent optional fields are left out, and a free-form null stays null.
        const nlohmann::json json = nlohmann::json::parse(written);
        EXPECT_FALSE(json["tracks"]["children"][0].contains("source_range"));
        EXPECT_FALSE(json.contains("color"));
    }
    const nlohmann::json resolve =
        nlohmann::json::parse(encodeTimeline(decodeTimeline(sampleText("resolve-timeline.otio"))));
    EXPECT_TRUE(resolve["tracks"]["children"][0]["children"][0]["effects"][0]["metadata"]
                       ["Resolve_OTIO"]["Parameters"][2]["Default Parameter Value"]
                           .is_null());
}
