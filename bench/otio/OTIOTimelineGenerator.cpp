#include "otio/OTIOTimelineGenerator.h"

#include "support/Random.h"

#include <array>
#include <fmt/format.h>
#include <nlohmann/json.hpp>
#include <string_view>

namespace marrowvale::bench {

namespace {

using Json = nlohmann::ordered_json;

constexpr double rate = 23.976023976023978;
constexpr int videoTracks = 4;
constexpr int audioTracks = 6;
constexpr int sourceFiles = 2000;
// Stands for -Infinity while the tree is built; the JSON library cannot write the word itself.
constexpr double negativeInfinityMark = -1.25e300;
constexpr std::string_view negativeInfinityText = "-1.25e+300";

Json rationalTime(double value) {
    return {{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", rate}, {"value", value}};
}

Json timeRange(double start, double duration) {
    return {{"OTIO_SCHEMA", "TimeRange.1"},
            {"duration", rationalTime(duration)},
            {"start_time", rationalTime(start)}};
}

class Generator {
public:
    Generator(OTIOProducer producer, std::uint32_t seed, OTIOTimelineCounts& counts)
        : producer_(producer), random_(seed), counts_(counts) {}

    Json timeline(std::size_t clipCount) {
        Json tracks = Json::array();
        const int trackCount = videoTracks + audioTracks;
        for (int track = 0; track < trackCount; ++track) {
            const std::size_t share =
                clipCount / trackCount + (static_cast<std::size_t>(track) < clipCount % trackCount);
            tracks.push_back(this->track(track, share));
        }
        counts_.tracks = static_cast<std::size_t>(trackCount);

        Json stack = {{"OTIO_SCHEMA", "Stack.1"},
                      {"metadata", stackMetadata()},
                      {"name", "tracks"},
                      {"source_range", nullptr},
                      {"effects", Json::array()},
                      {"markers", Json::array()},
                      {"enabled", true},
                      {"color", nullptr},
                      {"children", std::move(tracks)}};
        return {{"OTIO_SCHEMA", "Timeline.1"},
                {"metadata", timelineMetadata()},
                {"name", "Feature Reel 3 - Locked Cut"},
                {"global_start_time", rationalTime(86400.0)},
                {"tracks", std::move(stack)}};
    }

private:
    Json timelineMetadata() {
        switch (producer_) {
        case OTIOProducer::resolve:
            return {{"Resolve_OTIO", {{"Resolve OTIO Meta Version", "1.0"}}}};
        case OTIOProducer::premiere:
            return Json::object();
        case OTIOProducer::avid:
            return {{"AAF",
                     {{"ClassName", "CompositionMob"},
                      {"MobAttributeList",
                       {{"SEQUERNCE_FORMAT_STRING", "HD 1080p/23.976"},
                        {"_VERSION", 2},
                        {"_USER_POS", 0}}},
                      {"Name", "Feature Reel 3 - Locked Cut"}}}};
        }
        return Json::object();
    }

    Json stackMetadata() {
        if (producer_ == OTIOProducer::premiere) {
            return {{"PremierePro_OTIO",
                     {{"AudioFrameRate", 48000},
                      {"VideoResolution", {{"height", 1080}, {"width", 1920}}}}}};
        }
        return Json::object();
    }

    Json track(int index, std::size_t clips) {
        const bool video = index < videoTracks;
        const std::string name =
            video ? fmt::format("V{}", index + 1) : fmt::format("A{}", index - videoTracks + 1);
        Json children = Json::array();
        for (std::size_t i = 0; i < clips; ++i) {
            if (i > 0 && random_.chance(10)) {
                children.push_back(gap());
            } else if (video && i > 0 && random_.chance(5)) {
                children.push_back(transition());
            }
            children.push_back(clip(video, index, i));
        }
        Json metadata = Json::object();
        switch (producer_) {
        case OTIOProducer::resolve:
            metadata["Resolve_OTIO"] = {{"Locked", false}, {"SoloOn", false}};
            if (!video) {
                metadata["Resolve_OTIO"]["Audio Type"] = "Stereo";
            }
            break;
        case OTIOProducer::premiere:
            break;
        case OTIOProducer::avid:
            metadata["AAF"] = {
                {"Segment", {{"Drop", false}, {"MediaKind", video ? "Picture" : "Sound"}}},
                {"UserComments", {{"_TRACK_NAME", name}}},
                {"SlotName", name},
                {"SlotID", index + 1}};
            break;
        }
        return {{"OTIO_SCHEMA", "Track.1"},
                {"metadata", std::move(metadata)},
                {"name", name},
                {"source_range", nullptr},
                {"effects", Json::array()},
                {"markers", Json::array()},
                {"enabled", true},
                {"color", nullptr},
                {"children", std::move(children)},
                {"kind", video ? "Video" : "Audio"}};
    }

    Json gap() {
        ++counts_.gaps;
        return {{"OTIO_SCHEMA", "Gap.1"},
                {"metadata", Json::object()},
                {"name", ""},
                {"source_range", timeRange(0, random_.between(12, 96))},
                {"effects", Json::array()},
                {"markers", Json::array()},
                {"enabled", true},
                {"color", nullptr}};
    }

    Json transition() {
        ++counts_.transitions;
        const int half = random_.between(6, 24);
        return {{"OTIO_SCHEMA", "Transition.1"},    {"metadata", Json::object()},
                {"name", "Cross Dissolve"},         {"in_offset", rationalTime(half)},
                {"out_offset", rationalTime(half)}, {"transition_type", "SMPTE_Dissolve"}};
    }

    Json clip(bool video, int track, std::size_t index) {
        ++counts_.clips;
        const int file = random_.between(1, sourceFiles);
        const bool title = video && random_.chance(2);
        const std::string name =
            title ? "Text+" : fmt::format("A{:03}_C{:03}_{:04}", file % 90, file % 400, file);
        const double sourceStart = 86400.0 + random_.between(0, 20000);
        const double duration = random_.between(24, 240);

        Json effects = Json::array();
        if (video && random_.chance(40)) {
            effects.push_back(effect());
        }
        if (random_.chance(3)) {
            effects.push_back(retime());
        }
        Json markers = Json::array();
        if (random_.chance(15)) {
            markers.push_back(marker(sourceStart + 10));
        }

        Json clip = {
            {"OTIO_SCHEMA", "Clip.2"},
            {"metadata", clipMetadata(video, track, index)},
            {"name", name},
            {"source_range", timeRange(sourceStart, duration)},
            {"effects", std::move(effects)},
            {"markers", std::move(markers)},
            {"enabled", !random_.chance(2)},
            {"color", nullptr},
            {"media_references",
             {{"DEFAULT_MEDIA", title ? generatorReference() : externalReference(file, video)}}},
            {"active_media_reference_key", "DEFAULT_MEDIA"}};
        return clip;
    }

    Json clipMetadata(bool video, int track, std::size_t index) {
        switch (producer_) {
        case OTIOProducer::resolve: {
            Json block = {{"Link Group ID", static_cast<int>(index % 5000) + 1}};
            if (!video) {
                block["Channels"] = {{{"Source Channel ID", 1}, {"Source Track ID", track}},
                                     {{"Source Channel ID", 2}, {"Source Track ID", track}}};
            }
            return {{"Resolve_OTIO", std::move(block)}};
        }
        case OTIOProducer::premiere:
            return {{"PremierePro_OTIO",
                     {{"LinkID", fmt::format("{:08x}-link", index)},
                      {"MatchName", video ? "AE.ADBE Motion" : "AE.ADBE Audio"}}}};
        case OTIOProducer::avid:
            return {{"AAF",
                     {{"Segment",
                       {{"DataDefinition",
                         {{"Description", video ? "Picture" : "Sound"},
                          {"Name", video ? "Picture" : "Sound"}}},
                        {"Length", random_.between(24, 240)},
                        {"MediaKind", video ? "Picture" : "Sound"},
                        {"PhysicalTrackNumber", track + 1}}},
                      {"ComponentAttributeList", {{"_IMPORTSETTING", 0}}},
                      {"ClassName", "SourceClip"}}}};
        }
        return Json::object();
    }

    Json effect() {
        ++counts_.effects;
        Json metadata = Json::object();
        switch (producer_) {
        case OTIOProducer::resolve: {
            Json parameters = Json::array();
            constexpr std::array<std::string_view, 5> ids{"zoomX", "zoomY", "positionX",
                                                          "rotationAngle", "opacity"};
            for (const std::string_view id : ids) {
                Json parameter = {{"Default Parameter Value", 1.0},
                                  {"Parameter ID", id},
                                  {"Parameter Value", random_.between(0, 200) / 100.0},
                                  {"Variant Type", "Double"},
                                  {"maxValue", 100.0},
                                  {"minValue", negativeInfinityMark}};
                if (random_.chance(20)) {
                    parameter["Key Frames"] = {
                        {"0", {{"Value", 1.0}, {"Variant Type", "Double"}}},
                        {"48",
                         {{"Value", random_.between(0, 200) / 100.0}, {"Variant Type", "Double"}}}};
                }
                parameters.push_back(std::move(parameter));
            }
            parameters.push_back({{"Default Parameter Value", {{"X", 0.5}, {"Y", 0.5}}},
                                  {"Parameter ID", "anchorPoint"},
                                  {"Parameter Value", {{"X", 0.5}, {"Y", 0.5}}},
                                  {"Variant Type", "POINTF"}});
            metadata["Resolve_OTIO"] = {{"Effect Name", "Transform"},
                                        {"Enabled", true},
                                        {"Name", "Transform"},
                                        {"Parameters", std::move(parameters)},
                                        {"Type", 2}};
            break;
        }
        case OTIOProducer::premiere:
            metadata["PremierePro_OTIO"] = {
                {"IsIntrinsic", true},
                {"MatchName", "AE.ADBE Motion"},
                {"Parameters",
                 {{{"DisplayName", "Position"},
                   {"StartValue", {{"Value", {{"X", 0.5}, {"Y", 0.5}}}}}},
                  {{"DisplayName", "Scale"}, {"StartValue", {{"Value", random_.between(50, 150)}}}},
                  {{"DisplayName", "Rotation"}, {"StartValue", {{"Value", 0}}}},
                  {{"DisplayName", "Anchor Point"},
                   {"StartValue", {{"Value", {{"X", 0.5}, {"Y", 0.5}}}}}}}}};
            break;
        case OTIOProducer::avid:
            metadata["AAF"] = {{"Operation", {{"Name", "Resize"}, {"IsTimeWarp", false}}}};
            break;
        }
        return {{"OTIO_SCHEMA", "Effect.1"},
                {"metadata", std::move(metadata)},
                {"name", "Transform"},
                {"effect_name", "Transform"}};
    }

    Json retime() {
        ++counts_.effects;
        return {{"OTIO_SCHEMA", "LinearTimeWarp.1"},
                {"metadata", Json::object()},
                {"name", "Retime"},
                {"effect_name", "LinearTimeWarp"},
                {"time_scalar", random_.between(25, 200) / 100.0}};
    }

    Json marker(double start) {
        ++counts_.markers;
        Json metadata = Json::object();
        switch (producer_) {
        case OTIOProducer::resolve:
            metadata["Resolve_OTIO"] = {{"Keywords", {"VFX", "Review"}},
                                        {"Note", "Check the sky replacement"}};
            break;
        case OTIOProducer::premiere:
            metadata["PremierePro_OTIO"] = {{"Comments", "Check the sky replacement"}};
            break;
        case OTIOProducer::avid:
            metadata["AAF"] = {
                {"CommentMarkerAttributeList",
                 {{"_ATN_CRM_COLOR_EXTENDED", "Cyan"}, {"_ATN_CRM_USER", "assistant"}}}};
            break;
        }
        return {{"OTIO_SCHEMA", "Marker.2"},
                {"metadata", std::move(metadata)},
                {"name", "VFX note"},
                {"color", "CYAN"},
                {"marked_range", timeRange(start, 1)},
                {"comment", ""}};
    }

    Json externalReference(int file, bool video) {
        const std::string path =
            fmt::format("/Volumes/Media/Day{:02}/A{:03}_C{:03}_{:04}.{}", file % 40, file % 90,
                        file % 400, file, video ? "mov" : "wav");
        Json metadata = Json::object();
        if (producer_ == OTIOProducer::resolve) {
            metadata["Resolve_OTIO"] = {{"Media Url", path}};
        }
        return {{"OTIO_SCHEMA", "ExternalReference.1"},
                {"metadata", std::move(metadata)},
                {"name", path.substr(path.rfind('/') + 1)},
                {"available_range", timeRange(86400.0, 30000.0)},
                {"available_image_bounds", nullptr},
                {"target_url", "file://" + path}};
    }

    Json generatorReference() {
        Json parameters = Json::object();
        if (producer_ == OTIOProducer::resolve) {
            parameters["Resolve_OTIO"] = {
                {{"Effect Name", "Text+"},
                 {"Enabled", true},
                 {"Name", "Text+"},
                 {"Parameters",
                  {{{"Parameter ID", "StyledText"}, {"Parameter Value", "REEL THREE"}},
                   {{"Parameter ID", "Size"}, {"Parameter Value", 0.08}}}},
                 {"Type", 5}}};
        }
        return {{"OTIO_SCHEMA", "GeneratorReference.1"},
                {"metadata", Json::object()},
                {"name", "Text+"},
                {"available_range", nullptr},
                {"available_image_bounds", nullptr},
                {"generator_kind", "Fusion Title"},
                {"parameters", std::move(parameters)}};
    }

    OTIOProducer producer_;
    Random random_;
    OTIOTimelineCounts& counts_;
};

} // namespace

std::string generateOTIOTimeline(OTIOProducer producer, std::size_t clipCount, std::uint32_t seed,
                                 OTIOTimelineCounts& counts) {
    counts = {};
    Generator generator(producer, seed, counts);
    std::string text = generator.timeline(clipCount).dump(4);
    // The bound Resolve writes for parameters without a lower limit.
    for (std::size_t at = text.find(negativeInfinityText); at != std::string::npos;
         at = text.find(negativeInfinityText, at)) {
        text.replace(at, negativeInfinityText.size(), "-Infinity");
    }
    return text;
}

} // namespace marrowvale::bench
