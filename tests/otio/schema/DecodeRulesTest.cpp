// The presence and kind rules of every record, as changes to the sample timelines: what fails
// the whole document (with the kind of fault and the path to it) and what decodes.
#include "SchemaTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

using namespace marrowvale::otio;
using namespace marrowvale::otio::test;
using Json = nlohmann::json;
using Kind = DecodeError::Kind;

namespace {

/// Sets the member at a JSON pointer, or removes it when no value is given.
struct Change {
    std::string pointer;
    std::optional<Json> value;
};

Change removed(std::string pointer) {
    return {std::move(pointer), std::nullopt};
}

Change set(std::string pointer, Json value) {
    return {std::move(pointer), std::move(value)};
}

Json changed(const std::string& sample, const std::vector<Change>& changes) {
    Json document = sampleJson(sample);
    for (const Change& change : changes) {
        const Json::json_pointer pointer(change.pointer);
        if (change.value) {
            document[pointer] = *change.value;
        } else {
            document.at(pointer.parent_pointer()).erase(pointer.back());
        }
    }
    return document;
}

const std::string resolve = "resolve-timeline.otio";
const std::string premiere = "premiere-timeline.otio";
const std::string avid = "avid-timeline.otio";

// Places in the Resolve sample, as pointers and as the paths errors give.
const std::string clip = "/tracks/children/0/children/0";
const std::string clipPath = R"(tracks.children[0] "V1".children[0] "A001_C002")";
const std::string zoom = clip + "/effects/0/metadata/Resolve_OTIO/Parameters/0";
const std::string zoomPath =
    clipPath + R"(.effects[0] "Transform".metadata.Resolve_OTIO.Parameters[0])";
const std::string marker = clip + "/markers/0";
const std::string markerPath = clipPath + R"(.markers[0] "VFX 010")";
const std::string channel = "/tracks/children/1/children/0/metadata/Resolve_OTIO/Channels/0";
const std::string channelPath =
    R"(tracks.children[1] "A1".children[0] "A001_C002".metadata.Resolve_OTIO.Channels[0])";
// In the Premiere and Avid samples.
const std::string motion = "/tracks/children/0/children/0/effects/0/metadata/PremierePro_OTIO";
const std::string motionPath =
    R"(tracks.children[0] "Video 1".children[0] "Interview Cam A".effects[0] "Motion".metadata.PremierePro_OTIO)";
const std::string avidSegment = "/tracks/children/0/metadata/AAF/Segment";
const std::string avidSegmentPath = R"(tracks.children[0] "V1".metadata.AAF.Segment)";

struct Rejected {
    std::string sample;
    std::vector<Change> changes;
    Kind kind;
    std::string path;
};

} // namespace

TEST(DecodeRules, AFaultAnywhereFailsTheDocumentWithItsKindAndPath) {
    const std::vector<Rejected> cases = {
        // The root and the stack.
        {resolve, {removed("/tracks")}, Kind::keyNotFound, "tracks"},
        {resolve, {removed("/metadata")}, Kind::keyNotFound, "metadata"},
        {resolve, {set("/name", nullptr)}, Kind::valueNotFound, "name"},
        {resolve, {set("/metadata", "x")}, Kind::typeMismatch, "metadata"},
        {resolve, {set("", Json::array())}, Kind::typeMismatch, ""},
        {resolve, {removed("/tracks/children")}, Kind::keyNotFound, "tracks.children"},
        {resolve, {removed("/tracks/name")}, Kind::keyNotFound, "tracks.name"},
        // Items: a missing name, a flag of the wrong kind, a key in another letter case.
        {resolve,
         {removed(clip + "/name")},
         Kind::keyNotFound,
         R"(tracks.children[0] "V1".children[0].name)"},
        {resolve, {set(clip + "/enabled", "true")}, Kind::typeMismatch, clipPath + ".enabled"},
        {resolve, {set(clip + "/enabled", 1)}, Kind::typeMismatch, clipPath + ".enabled"},
        {resolve,
         {set(clip + "/Name", "A001_C002"), removed(clip + "/name")},
         Kind::keyNotFound,
         R"(tracks.children[0] "V1".children[0].name)"},
        // Of several faults in one record, the first in table order is reported.
        {resolve,
         {set(clip + "/enabled", "x"), removed(clip + "/name")},
         Kind::keyNotFound,
         R"(tracks.children[0] "V1".children[0].name)"},
        {resolve,
         {set(clip + "/effects/0", nullptr)},
         Kind::valueNotFound,
         clipPath + ".effects[0]"},
        {resolve,
         {removed(clip + "/effects/0/effect_name")},
         Kind::keyNotFound,
         clipPath + R"(.effects[0] "Transform".effect_name)"},
        {resolve, {removed(marker + "/color")}, Kind::keyNotFound, markerPath + ".color"},
        {resolve,
         {removed(marker + "/marked_range")},
         Kind::keyNotFound,
         markerPath + ".marked_range"},
        {resolve,
         {removed(clip + "/source_range/duration/OTIO_SCHEMA")},
         Kind::keyNotFound,
         clipPath + ".source_range.duration.OTIO_SCHEMA"},
        {resolve,
         {set(clip + "/source_range/start_time/rate", "24")},
         Kind::typeMismatch,
         clipPath + ".source_range.start_time.rate"},
        {resolve,
         {removed(clip + "/media_references/DEFAULT_MEDIA")},
         Kind::keyNotFound,
         clipPath + ".media_references.DEFAULT_MEDIA"},
        // Resolve blocks.
        {resolve,
         {set("/metadata/Resolve_OTIO", Json::object())},
         Kind::keyNotFound,
         "metadata.Resolve_OTIO.Resolve OTIO Meta Version"},
        {resolve,
         {set("/tracks/children/0/metadata/Resolve_OTIO/Locked", 0)},
         Kind::typeMismatch,
         R"(tracks.children[0] "V1".metadata.Resolve_OTIO.Locked)"},
        {resolve,
         {set(clip + "/metadata/Resolve_OTIO/Link Group ID", "3")},
         Kind::typeMismatch,
         clipPath + ".metadata.Resolve_OTIO.Link Group ID"},
        {resolve,
         {set(clip + "/metadata/Resolve_OTIO/Link Group ID", 2.5)},
         Kind::dataCorrupted,
         clipPath + ".metadata.Resolve_OTIO.Link Group ID"},
        {resolve,
         {set(clip + "/metadata/Resolve_OTIO/Link Group ID", 9223372036854775808u)},
         Kind::dataCorrupted,
         clipPath + ".metadata.Resolve_OTIO.Link Group ID"},
        {resolve,
         {set(clip + "/metadata/Resolve_OTIO/Link Group ID", 1e19)},
         Kind::dataCorrupted,
         clipPath + ".metadata.Resolve_OTIO.Link Group ID"},
        {resolve,
         {removed(channel + "/Source Track ID")},
         Kind::keyNotFound,
         channelPath + ".Source Track ID"},
        {resolve, {removed(zoom + "/Variant Type")}, Kind::keyNotFound, zoomPath + ".Variant Type"},
        {resolve,
         {removed(zoom + "/Parameter Value")},
         Kind::keyNotFound,
         zoomPath + ".Parameter Value"},
        {resolve,
         {set(zoom + "/Key Frames/0", nullptr)},
         Kind::valueNotFound,
         zoomPath + ".Key Frames.0"},
        {resolve, {set(zoom + "/maxValue", "100")}, Kind::typeMismatch, zoomPath + ".maxValue"},
        {resolve,
         {removed(marker + "/metadata/Resolve_OTIO/Keywords")},
         Kind::keyNotFound,
         markerPath + ".metadata.Resolve_OTIO.Keywords"},
        {resolve,
         {set(marker + "/metadata/Resolve_OTIO/Keywords/1", 7)},
         Kind::typeMismatch,
         markerPath + ".metadata.Resolve_OTIO.Keywords[1]"},
        {resolve,
         {set(marker + "/metadata/Resolve_OTIO/Note", nullptr)},
         Kind::valueNotFound,
         markerPath + ".metadata.Resolve_OTIO.Note"},
        // Premiere Pro blocks.
        {premiere,
         {removed("/tracks/metadata/PremierePro_OTIO/VideoResolution")},
         Kind::keyNotFound,
         "tracks.metadata.PremierePro_OTIO.VideoResolution"},
        {premiere,
         {set("/tracks/metadata/PremierePro_OTIO/VideoResolution",
              {{"Width", 1920}, {"Height", 1080}})},
         Kind::keyNotFound,
         "tracks.metadata.PremierePro_OTIO.VideoResolution.width"},
        {premiere,
         {set("/tracks/metadata/PremierePro_OTIO/AudioFrameRate", "48000")},
         Kind::typeMismatch,
         "tracks.metadata.PremierePro_OTIO.AudioFrameRate"},
        {premiere,
         {set(motion + "/Parameters/0/StartValue", Json::object())},
         Kind::keyNotFound,
         motionPath + ".Parameters[0].StartValue.Value"},
        {premiere,
         {set(motion + "/IsIntrinsic", 1)},
         Kind::typeMismatch,
         motionPath + ".IsIntrinsic"},
        {premiere,
         {removed("/tracks/children/0/children/0/markers/0/metadata/PremierePro_OTIO/Comments")},
         Kind::keyNotFound,
         R"(tracks.children[0] "Video 1".children[0] "Interview Cam A".markers[0] "Keep".metadata.PremierePro_OTIO.Comments)"},
        // Media Composer blocks.
        {avid,
         {removed("/metadata/AAF/MobAttributeList/_VERSION")},
         Kind::keyNotFound,
         "metadata.AAF.MobAttributeList._VERSION"},
        {avid,
         {set("/metadata/AAF/MobAttributeList/_VERSION", 2.5)},
         Kind::dataCorrupted,
         "metadata.AAF.MobAttributeList._VERSION"},
        {avid,
         {set("/metadata/AAF/MobAttributeList/SEQUENCE_FORMAT_STRING", "HD"),
          removed("/metadata/AAF/MobAttributeList/SEQUERNCE_FORMAT_STRING")},
         Kind::keyNotFound,
         "metadata.AAF.MobAttributeList.SEQUERNCE_FORMAT_STRING"},
        {avid, {removed("/metadata/AAF/Name")}, Kind::keyNotFound, "metadata.AAF.Name"},
        {avid,
         {removed(avidSegment + "/DataDefinition/Description")},
         Kind::keyNotFound,
         avidSegmentPath + ".DataDefinition.Description"},
        {avid,
         {set(avidSegment + "/DataDefinition/Name", nullptr)},
         Kind::valueNotFound,
         avidSegmentPath + ".DataDefinition.Name"},
        {avid,
         {set(avidSegment + "/Drop", "false")},
         Kind::typeMismatch,
         avidSegmentPath + ".Drop"},
        {avid,
         {set(avidSegment + "/Length", "60")},
         Kind::typeMismatch,
         avidSegmentPath + ".Length"},
        {avid,
         {set(avidSegment + "/PhysicalTrackNumber", 1.5)},
         Kind::dataCorrupted,
         avidSegmentPath + ".PhysicalTrackNumber"},
    };
    for (const Rejected& rejected : cases) {
        SCOPED_TRACE(rejected.sample + " " + rejected.changes.front().pointer);
        try {
            decodeJson(changed(rejected.sample, rejected.changes));
            ADD_FAILURE() << "decoded";
        } catch (const DecodeError& error) {
            EXPECT_EQ(error.kind(), rejected.kind) << error.description();
            EXPECT_EQ(error.codingPathText(), rejected.path);
        }
    }
}

TEST(DecodeRules, DescriptionsNameTheKeyAndTheItem) {
    const auto descriptionOf = [](const Json& document) {
        try {
            decodeJson(document);
        } catch (const DecodeError& error) {
            return error.description();
        }
        return std::string("decoded");
    };
    EXPECT_EQ(descriptionOf(changed(resolve, {removed(clip + "/effects/0/effect_name")})),
              R"(The required key "effect_name" is missing in )" + clipPath +
                  R"(.effects[0] "Transform".)");
    EXPECT_EQ(descriptionOf(changed(resolve, {set(clip + "/enabled", "yes")})),
              R"(Expected true or false but found the text "yes" at )" + clipPath + ".enabled.");
    EXPECT_EQ(descriptionOf(changed(avid, {set("/metadata/AAF/MobAttributeList/_VERSION", 2.5)})),
              "Expected a whole number within 64 bits but found the number 2.5 at "
              "metadata.AAF.MobAttributeList._VERSION.");
    EXPECT_EQ(descriptionOf(changed(resolve, {removed("/OTIO_SCHEMA")})),
              R"(The required key "OTIO_SCHEMA" is missing in the document's root object.)");
}

TEST(DecodeRules, AbsentNullAndUnlistedMembersDecode) {
    struct Accepted {
        std::string sample;
        std::vector<Change> changes;
        std::function<void(const Timeline&)> check;
    };
    const auto v1Item = [](const Timeline& timeline, std::size_t index) -> const Child& {
        return timeline.tracks.children.at(0).children->at(index);
    };
    const std::vector<Accepted> cases = {
        {resolve,
         {set("/global_start_time", nullptr)},
         [](const Timeline& t) { EXPECT_FALSE(t.globalStartTime); }},
        {resolve,
         {removed("/global_start_time")},
         [](const Timeline& t) { EXPECT_FALSE(t.globalStartTime); }},
        {resolve,
         {set("/metadata", Json::object())},
         [](const Timeline& t) { EXPECT_EQ(t.metadata, TimelineMetadata{}); }},
        {resolve,
         {set("/tracks/children", Json::array())},
         [](const Timeline& t) { EXPECT_TRUE(t.tracks.children.empty()); }},
        {resolve,
         {set(clip + "/enabled", nullptr), set(clip + "/Name", 5)},
         [&](const Timeline& t) {
             EXPECT_FALSE(v1Item(t, 0).enabled);
             EXPECT_EQ(v1Item(t, 0).name, "A001_C002");
         }},
        {resolve,
         {removed("/tracks/children/0/children/2/effects/0/time_scalar")},
         [&](const Timeline& t) { EXPECT_FALSE(v1Item(t, 2).effects->at(0).timeScalar); }},
        {resolve,
         {set(clip + "/source_range/start_time/rate", 24)},
         [&](const Timeline& t) { EXPECT_EQ(v1Item(t, 0).sourceRange->startTime.rate, 24.0); }},
        {resolve,
         {set(clip + "/media_references/HIGH_RES", {{"broken", true}})},
         [&](const Timeline& t) { EXPECT_TRUE(v1Item(t, 0).mediaReferences); }},
        {resolve,
         {set(clip + "/metadata/Resolve_OTIO", Json::object())},
         [&](const Timeline& t) {
             EXPECT_EQ(v1Item(t, 0).metadata->resolveOTIO, DaVRChildMetadata{});
         }},
        {resolve,
         {removed(zoom + "/maxValue"), set(zoom + "/MaxValue", 5)},
         [&](const Timeline& t) {
             const auto& parameter =
                 v1Item(t, 0).effects->at(0).metadata.resolveOTIO->parameters->at(0);
             EXPECT_FALSE(parameter.maxValue);
             EXPECT_EQ(parameter.minValue, -999999999.0);
         }},
        {resolve,
         {set(clip + "/media_references/DEFAULT_MEDIA/metadata/Resolve_OTIO", Json::object())},
         [&](const Timeline& t) {
             EXPECT_FALSE(
                 v1Item(t, 0).mediaReferences->defaultMedia.metadata->resolveOTIO->mediaUrl);
         }},
        {resolve,
         {set(marker + "/color", {{"OTIO_SCHEMA", "Color.1"}, {"r", 1.0}})},
         [&](const Timeline& t) { EXPECT_EQ(v1Item(t, 0).markers->at(0).color, ""); }},
        {premiere,
         {set(motion + "/Parameters/1/StartValue/Value", nullptr)},
         [](const Timeline& t) {
             EXPECT_TRUE(t.tracks.children[0]
                             .children->at(0)
                             .effects->at(0)
                             .metadata.premiereproOTIO->parameters->at(1)
                             .startValue->value.isNull());
         }},
        {premiere,
         {set("/tracks/children/0/children/0/markers/0/metadata/PremierePro_OTIO/Comments", "")},
         [](const Timeline& t) {
             EXPECT_EQ(t.tracks.children[0]
                           .children->at(0)
                           .markers->at(0)
                           .metadata.premiereproOTIO->comments,
                       "");
         }},
        // A file converted from an AAF has no "MobAttributeList".
        {avid,
         {removed("/metadata/AAF/MobAttributeList"),
          set("/metadata/AAF/Attributes", Json::object())},
         [](const Timeline& t) {
             EXPECT_FALSE(t.metadata.aaf->mobAttributeList);
             EXPECT_EQ(t.metadata.aaf->name, "Scene 12 Assembly");
         }},
        {avid,
         {set("/tracks/children/0/metadata/AAF", {{"SlotName", "V1"}})},
         [](const Timeline& t) {
             EXPECT_EQ(t.tracks.children[0].metadata->aaf, (AvidChildMetadata{{}, {}, {}, "V1"}));
         }},
        {avid,
         {set(avidSegment + "/Drop", nullptr), removed(avidSegment + "/DataDefinition")},
         [](const Timeline& t) {
             const AvidSegment& segment = *t.tracks.children[0].metadata->aaf->segment;
             EXPECT_FALSE(segment.drop);
             EXPECT_FALSE(segment.dataDefinition);
             EXPECT_EQ(segment.length, 60);
         }},
        {avid,
         {set("/tracks/children/0/children/0/effects/0/metadata/AAF/Operation", Json::object()),
          {"/tracks/children/0/children/0/markers/0/metadata/AAF/CommentMarkerAttributeList",
           nullptr}},
         [](const Timeline& t) {
             const Child& clip = t.tracks.children[0].children->at(0);
             EXPECT_EQ(clip.effects->at(0).metadata.aaf->operation, Operation{});
             EXPECT_EQ(clip.markers->at(0).metadata.avidOTIO, AvidMarkerMetadata{});
         }},
        {avid,
         {set("/tracks/children/0/children/0/effects/0/metadata/AAF", Json::object())},
         [](const Timeline& t) {
             EXPECT_EQ(t.tracks.children[0].children->at(0).effects->at(0).metadata.aaf,
                       AvidEffectMetadata{});
         }},
    };
    for (const Accepted& accepted : cases) {
        SCOPED_TRACE(accepted.sample + " " + accepted.changes.front().pointer);
        try {
            accepted.check(decodeJson(changed(accepted.sample, accepted.changes)));
        } catch (const DecodeError& error) {
            ADD_FAILURE() << error.description();
        }
    }
}
