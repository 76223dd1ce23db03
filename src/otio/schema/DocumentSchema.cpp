// The keys of every OTIO record, in the order its fields are read: of several faults in one
// record, the first in this order is the one reported. Members whose keys are not listed are
// ignored wherever they stand.

#include "otio/schema/DocumentParser.h"
#include "otio/schema/FieldCoding.h"
#include "otio/schema/TimelineDecoder.h"

#include <tuple>

namespace marrowvale::otio {

namespace coding {

namespace {

// A marker's colour is its name; newer writers give the colour as a "Color.1" object, whose
// name is taken instead of failing the document (an unnamed colour gives the empty text).
void decodeColorName(const JsonValue& json, std::string& out) {
    if (json.isObject()) {
        out = json.memberText("name");
        return;
    }
    decodeRequired(json, out);
}

} // namespace

// Core records

template <>
struct RecordFields<RationalTime> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &RationalTime::otioSchema),
        field("rate", &RationalTime::rate),
        field("value", &RationalTime::value),
    };
};

template <>
struct RecordFields<TimeRange> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &TimeRange::otioSchema),
        field("duration", &TimeRange::duration),
        field("start_time", &TimeRange::startTime),
    };
};

template <>
struct RecordFields<KeyFrame> {
    static constexpr std::tuple list{
        field("Value", &KeyFrame::value),
        field("Variant Type", &KeyFrame::variantType),
    };
};

// DaVinci Resolve

template <>
struct RecordFields<DaVRTimelineMetadata> {
    static constexpr std::tuple list{
        field("Resolve OTIO Meta Version", &DaVRTimelineMetadata::resolveOTIOMetaVersion),
    };
};

template <>
struct RecordFields<DaVRClipChannel> {
    static constexpr std::tuple list{
        field("Source Channel ID", &DaVRClipChannel::sourceChannelID),
        field("Source Track ID", &DaVRClipChannel::sourceTrackID),
    };
};

template <>
struct RecordFields<DaVRChildMetadata> {
    static constexpr std::tuple list{
        field("Link Group ID", &DaVRChildMetadata::linkGroupID),
        field("Sequence Fps", &DaVRChildMetadata::sequenceFPS),
        field("Sequence ID", &DaVRChildMetadata::sequenceID),
        field("Sequence Type", &DaVRChildMetadata::sequenceType),
        field("Locked", &DaVRChildMetadata::locked),
        field("Audio Type", &DaVRChildMetadata::audioType),
        field("SoloOn", &DaVRChildMetadata::soloOn),
        field("Channels", &DaVRChildMetadata::channels),
    };
};

template <>
struct RecordFields<DaVREffectParameter> {
    static constexpr std::tuple list{
        field("Default Parameter Value", &DaVREffectParameter::defaultParameterValue),
        field("Key Frames", &DaVREffectParameter::keyFrames),
        field("Parameter ID", &DaVREffectParameter::parameterID),
        field("Parameter Value", &DaVREffectParameter::parameterValue),
        field("Variant Type", &DaVREffectParameter::variantType),
        field("maxValue", &DaVREffectParameter::maxValue),
        field("minValue", &DaVREffectParameter::minValue),
    };
};

template <>
struct RecordFields<DaVREffectMetadata> {
    static constexpr std::tuple list{
        field("Effect Name", &DaVREffectMetadata::effectName),
        field("Enabled", &DaVREffectMetadata::enabled),
        field("Name", &DaVREffectMetadata::name),
        field("Parameters", &DaVREffectMetadata::parameters),
        field("Type", &DaVREffectMetadata::type),
    };
};

template <>
struct RecordFields<DaVRMarkerMetadata> {
    static constexpr std::tuple list{
        field("Note", &DaVRMarkerMetadata::note),
        field("Keywords", &DaVRMarkerMetadata::keywords),
    };
};

template <>
struct RecordFields<DaVRDefaultMediaMetadata> {
    static constexpr std::tuple list{
        field("Media Url", &DaVRDefaultMediaMetadata::mediaUrl),
    };
};

template <>
struct RecordFields<DaVRMediaParameter> {
    static constexpr std::tuple list{
        field("Effect Name", &DaVRMediaParameter::effectName),
        field("Enabled", &DaVRMediaParameter::enabled),
        field("Name", &DaVRMediaParameter::name),
        field("Parameters", &DaVRMediaParameter::parameters),
        field("Type", &DaVRMediaParameter::type),
    };
};

// Premiere Pro

template <>
struct RecordFields<VideoResolution> {
    static constexpr std::tuple list{
        field("width", &VideoResolution::width),
        field("height", &VideoResolution::height),
    };
};

template <>
struct RecordFields<PProStackMetadata> {
    static constexpr std::tuple list{
        field("AudioFrameRate", &PProStackMetadata::audioFrameRate),
        field("VideoResolution", &PProStackMetadata::videoResolution),
    };
};

template <>
struct RecordFields<PProEffectStartValue> {
    static constexpr std::tuple list{
        field("Value", &PProEffectStartValue::value),
    };
};

template <>
struct RecordFields<PProEffectParameter> {
    static constexpr std::tuple list{
        field("DisplayName", &PProEffectParameter::displayName),
        field("StartValue", &PProEffectParameter::startValue),
    };
};

template <>
struct RecordFields<PProChildMetadata> {
    static constexpr std::tuple list{
        field("LinkID", &PProChildMetadata::linkID),
        field("MatchName", &PProChildMetadata::matchName),
        field("Parameters", &PProChildMetadata::parameters),
    };
};

template <>
struct RecordFields<PProEffectMetadata> {
    static constexpr std::tuple list{
        field("IsIntrinsic", &PProEffectMetadata::isIntrinsic),
        field("MatchName", &PProEffectMetadata::matchName),
        field("Parameters", &PProEffectMetadata::parameters),
    };
};

template <>
struct RecordFields<PProMarkerMetadata> {
    static constexpr std::tuple list{
        field("Comments", &PProMarkerMetadata::comments),
    };
};

// Avid Media Composer

template <>
struct RecordFields<MobAttributeList> {
    static constexpr std::tuple list{
        field("SEQUERNCE_FORMAT_STRING", &MobAttributeList::sequenceFormatString),
        field("_VERSION", &MobAttributeList::version),
    };
};

template <>
struct RecordFields<AvidTimelineMetadata> {
    static constexpr std::tuple list{
        field("MobAttributeList", &AvidTimelineMetadata::mobAttributeList),
        field("Name", &AvidTimelineMetadata::name),
    };
};

template <>
struct RecordFields<DataDefinition> {
    static constexpr std::tuple list{
        field("Description", &DataDefinition::description),
        field("Name", &DataDefinition::name),
    };
};

template <>
struct RecordFields<AvidSegment> {
    static constexpr std::tuple list{
        field("DataDefinition", &AvidSegment::dataDefinition),
        field("Drop", &AvidSegment::drop),
        field("Length", &AvidSegment::length),
        field("MediaKind", &AvidSegment::mediaKind),
        field("PhysicalTrackNumber", &AvidSegment::physicalTrackNumber),
    };
};

template <>
struct RecordFields<AvidComponentAttributeList> {
    static constexpr std::tuple list{
        field("_EFFECT_PLUGIN_CLASS", &AvidComponentAttributeList::pluginClass),
        field("_EFFECT_PLUGIN_NAME", &AvidComponentAttributeList::pluginName),
    };
};

template <>
struct RecordFields<AvidUserComments> {
    static constexpr std::tuple list{
        field("_TRACK_NAME", &AvidUserComments::trackName),
    };
};

template <>
struct RecordFields<AvidChildMetadata> {
    static constexpr std::tuple list{
        field("Segment", &AvidChildMetadata::segment),
        field("ComponentAttributeList", &AvidChildMetadata::componentAttributeList),
        field("UserComments", &AvidChildMetadata::userComments),
        field("SlotName", &AvidChildMetadata::slotName),
    };
};

template <>
struct RecordFields<CommentMarkerAttributeList> {
    static constexpr std::tuple list{
        field("_ATN_CRM_COLOR_EXTENDED", &CommentMarkerAttributeList::color),
    };
};

template <>
struct RecordFields<AvidMarkerMetadata> {
    static constexpr std::tuple list{
        field("CommentMarkerAttributeList", &AvidMarkerMetadata::commentMarkerAttributeList),
    };
};

template <>
struct RecordFields<Operation> {
    static constexpr std::tuple list{
        field("Name", &Operation::name),
    };
};

template <>
struct RecordFields<AvidEffectMetadata> {
    static constexpr std::tuple list{
        field("Operation", &AvidEffectMetadata::operation),
    };
};

// Metadata holders

template <>
struct RecordFields<TimelineMetadata> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &TimelineMetadata::resolveOTIO),
        field("AAF", &TimelineMetadata::aaf),
    };
};

template <>
struct RecordFields<StackMetadata> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &StackMetadata::resolveOTIO),
        field("PremierePro_OTIO", &StackMetadata::premiereproOTIO),
        field("AAF", &StackMetadata::avidOTIO),
    };
};

template <>
struct RecordFields<ChildMetadata> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &ChildMetadata::resolveOTIO),
        field("PremierePro_OTIO", &ChildMetadata::premiereproOTIO),
        field("AAF", &ChildMetadata::aaf),
    };
};

template <>
struct RecordFields<EffectMetadata> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &EffectMetadata::resolveOTIO),
        field("PremierePro_OTIO", &EffectMetadata::premiereproOTIO),
        field("AAF", &EffectMetadata::aaf),
    };
};

template <>
struct RecordFields<MarkerMetadata> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &MarkerMetadata::resolveOTIO),
        field("PremierePro_OTIO", &MarkerMetadata::premiereproOTIO),
        field("AAF", &MarkerMetadata::avidOTIO),
    };
};

template <>
struct RecordFields<DefaultMediaMetadata> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &DefaultMediaMetadata::resolveOTIO),
    };
};

template <>
struct RecordFields<DefaultMediaParameters> {
    static constexpr std::tuple list{
        field("Resolve_OTIO", &DefaultMediaParameters::resolveOTIO),
    };
};

// Document records

template <>
struct RecordFields<Effect> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &Effect::otioSchema),
        field("metadata", &Effect::metadata),
        nullableField("name", &Effect::name),
        nullableField("effect_name", &Effect::effectName),
        field("time_scalar", &Effect::timeScalar),
    };
};

template <>
struct RecordFields<Marker> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &Marker::otioSchema),
        field("metadata", &Marker::metadata),
        field("name", &Marker::name),
        customField("color", &Marker::color, &decodeColorName),
        field("marked_range", &Marker::markedRange),
    };
};

template <>
struct RecordFields<MediaReference> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &MediaReference::otioSchema),
        field("metadata", &MediaReference::metadata),
        field("name", &MediaReference::name),
        field("available_range", &MediaReference::availableRange),
        field("available_image_bounds", &MediaReference::availableImageBounds),
        field("generator_kind", &MediaReference::generatorKind),
        field("target_url", &MediaReference::targetURL),
        field("parameters", &MediaReference::parameters),
    };
};

template <>
struct RecordFields<MediaReferences> {
    static constexpr std::tuple list{
        field("DEFAULT_MEDIA", &MediaReferences::defaultMedia),
    };
};

template <>
struct RecordFields<Child> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &Child::otioSchema),
        field("metadata", &Child::metadata),
        field("name", &Child::name),
        field("source_range", &Child::sourceRange),
        field("effects", &Child::effects),
        field("markers", &Child::markers),
        field("enabled", &Child::enabled),
        field("kind", &Child::kind),
        field("children", &Child::children),
        field("media_references", &Child::mediaReferences),
        field("active_media_reference_key", &Child::activeMediaReferenceKey),
        field("media_reference", &Child::mediaReference),
        field("in_offset", &Child::inOffset),
        field("out_offset", &Child::outOffset),
        field("transition_type", &Child::transitionType),
    };
};

template <>
struct RecordFields<Stack> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &Stack::otioSchema),
        field("children", &Stack::children),
        field("name", &Stack::name),
        field("metadata", &Stack::metadata),
        field("source_range", &Stack::sourceRange),
        field("effects", &Stack::effects),
        field("markers", &Stack::markers),
        field("enabled", &Stack::enabled),
    };
};

template <>
struct RecordFields<Timeline> {
    static constexpr std::tuple list{
        field("OTIO_SCHEMA", &Timeline::otioSchema),
        field("metadata", &Timeline::metadata),
        field("name", &Timeline::name),
        field("global_start_time", &Timeline::globalStartTime),
        field("tracks", &Timeline::tracks),
    };
};

} // namespace coding

Timeline decodeTimeline(std::string_view documentBytes) {
    const coding::JsonTree document = coding::parseDocument(documentBytes, maximumNestingDepth);
    Timeline timeline;
    coding::decodeValue(coding::JsonValue(document, 0), timeline);
    return timeline;
}

std::string encodeTimeline(const Timeline& timeline) {
    return coding::encodeValue(timeline).dump();
}

} // namespace marrowvale::otio
