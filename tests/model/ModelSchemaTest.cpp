#include "model/Model.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace marrowvale {
namespace {

struct SchemaOfClass {
    std::string_view model;
    std::vector<std::string> names;
    bool keyPathsInDeclarationOrder; // each key path reaches a later member than the one before
};

// What T's schema says, checked against an object: the key paths must reach the members at
// strictly rising addresses, which is the order they are declared in.
template <class T>
SchemaOfClass schemaOf() {
    const T object{};
    SchemaOfClass schema{T::modelName, {}, true};
    std::vector<std::uintptr_t> addresses;
    std::apply(
        [&](const auto&... description) {
            (schema.names.emplace_back(description.name), ...);
            (addresses.push_back(reinterpret_cast<std::uintptr_t>(&(object.*description.keyPath))),
             ...);
        },
        T::schemaMetadata);
    schema.keyPathsInDeclarationOrder =
        std::adjacent_find(addresses.begin(), addresses.end(),
                           [](auto a, auto b) { return a >= b; }) == addresses.end();
    return schema;
}

TEST(ModelSchemaTest, EveryClassListsItsStoredPropertiesInDeclarationOrder) {
    const std::vector<std::pair<SchemaOfClass, std::vector<std::string>>> cases{
        {schemaOf<EventBin>(), {"name", "clips", "storyCompositions"}},
        {schemaOf<Composition>(),
         {"id", "name", "firstFrame", "duration", "timecodeFrameRate", "videoFormat", "videoTracks",
          "audioChannelLayout", "audioSampleRate", "audioTracks", "markers", "metadata",
          "category"}},
        {schemaOf<VideoFormat>(),
         {"id", "name", "videoFrameRate", "width", "height", "anamorphic", "fieldOrder",
          "pixelAspectRatio"}},
        {schemaOf<Asset>(),
         {"id", "name", "firstFrame", "duration", "timecodeFrameRate", "videoFormat", "url",
          "securityscopedURL", "readable", "online", "added", "frameSize", "audioRate",
          "cameraName", "category"}},
        {schemaOf<VideoTrack>(), {"trackIdx", "name", "enabled", "angleID", "elements"}},
        {schemaOf<AudioTrack>(),
         {"trackIdx", "name", "enabled", "angleID", "premiereTrackType", "elements"}},
        {schemaOf<StoryElement>(),
         {"timelineClipCategory",
          "category",
          "asset",
          "composition",
          "spreadsheetSortOrder",
          "trackType",
          "id",
          "name",
          "enabled",
          "firstFrame",
          "clipTimelinePosition",
          "clipDuration",
          "srcInpoint",
          "srcDuration",
          "timecodeFrameRate",
          "trackName",
          "videoRole",
          "audioRole",
          "audioSubroles",
          "descriptn",
          "label",
          "notes",
          "reel",
          "scene",
          "shottake",
          "appleEffect",
          "params",
          "metadata",
          "markedRanges",
          "videoFX",
          "audioFX",
          "speedFX"}},
        {schemaOf<MarkedRange>(),
         {"clip", "name", "notes", "keywords", "srcInpoint", "timelinePosition", "duration",
          "visible", "color"}},
        {schemaOf<Metadata>(), {"key", "value", "values"}},
        {schemaOf<FxKeyValueTime>(), {"key", "value", "time"}},
        {schemaOf<VideoFX>(), {"name", "settings", "enabled", "params"}},
        {schemaOf<AudioFX>(), {"name", "settings", "track", "enabled", "params"}},
        {schemaOf<SpeedFX>(), {"name", "percent", "params"}},
    };
    for (const auto& [schema, expected] : cases) {
        SCOPED_TRACE(schema.model);
        EXPECT_EQ(schema.names, expected);
        EXPECT_TRUE(schema.keyPathsInDeclarationOrder);
    }
}

TEST(ModelSchemaTest, AssetFlagsLandInTheirOwnProperties) {
    struct Flags {
        bool securityscopedURL, readable, online, added;
    };
    for (const Flags given : {Flags{true, false, false, false}, Flags{false, true, false, false},
                              Flags{false, false, true, false}, Flags{false, false, false, true}}) {
        const Asset asset("as-1", "A", 0, 0, "25", nullptr, std::nullopt, given.securityscopedURL,
                          given.readable, given.online, given.added, "", "", "",
                          Asset::Category::Video);
        EXPECT_EQ(asset.securityscopedURL, given.securityscopedURL);
        EXPECT_EQ(asset.readable, given.readable);
        EXPECT_EQ(asset.online, given.online);
        EXPECT_EQ(asset.added, given.added);
    }
}

} // namespace
} // namespace marrowvale
