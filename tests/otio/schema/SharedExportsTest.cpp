// Real exports from other applications, read where they lie beside the repository: each one
// decodes, including those with number words, null effect names and image sequences.
#include "SchemaTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace marrowvale::otio;

TEST(SharedExports, EachRealExportDecodes) {
    const std::filesystem::path folder = std::filesystem::path(MARROWVALE_SHARED_TESTDATA) / "otio";
    if (std::string(MARROWVALE_SHARED_TESTDATA).empty() || !std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no shared test data beside the repository";
    }
    const std::vector<std::pair<std::string, std::function<void(const Timeline&)>>> cases = {
        // 64-bit extremes, wider integers, Inf, -Infinity and NaN in metadata the schema skips.
        {"big_int.otio",
         [](const Timeline& t) {
             const Child& clip = t.tracks.children.at(0).children->at(0);
             EXPECT_EQ(clip.name, "black");
             EXPECT_EQ(clip.mediaReference->targetURL, "black.mov");
         }},
        {"img_seq_media_reference.otio",
         [](const Timeline& t) {
             EXPECT_EQ(t.globalStartTime->value, 86400.0);
             const MediaReference& media =
                 t.tracks.children.at(0).children->at(0).mediaReferences->defaultMedia;
             EXPECT_EQ(media.otioSchema, "ImageSequenceReference.1");
             EXPECT_EQ(media.availableRange->startTime.value, 125.0);
             EXPECT_FALSE(media.availableImageBounds);
         }},
        // Time warps and freeze frames whose names are null.
        {"nested_example.otio",
         [](const Timeline& t) {
             const std::vector<Child>& items = *t.tracks.children.at(0).children;
             ASSERT_EQ(items.size(), 7u);
             EXPECT_TRUE(items[1].isStack());
             const Effect& warp = items[3].effects->at(0);
             EXPECT_FALSE(warp.name);
             EXPECT_EQ(warp.effectName, "LinearTimeWarp");
             EXPECT_NEAR(*warp.timeScalar, 0.8545, 1e-4);
             EXPECT_EQ(items[5].effects->at(0).timeScalar, 0.0);
         }},
        {"premiere_example.otio",
         [](const Timeline& t) {
             ASSERT_EQ(t.tracks.children.size(), 8u);
             EXPECT_EQ(t.tracks.markers->at(0).name, "My MArker 1");
             EXPECT_EQ(t.tracks.markers->at(0).color, "RED");
             EXPECT_EQ(t.tracks.children[4].kind, "Audio");
             EXPECT_TRUE(t.tracks.children[0].children->at(0).isGap());
         }},
        {"screening_example.otio",
         [](const Timeline& t) {
             const std::vector<Child>& clips = *t.tracks.children.at(0).children;
             ASSERT_EQ(clips.size(), 9u);
             EXPECT_EQ(clips[3].markers->at(1).color, "PINK");
         }},
        {"timecode_rates.otio",
         [](const Timeline& t) {
             ASSERT_EQ(t.tracks.children.size(), 6u);
             EXPECT_EQ(t.tracks.children[2].children->at(0).sourceRange->duration.rate,
                       29.97002997);
         }},
    };
    for (const auto& [name, check] : cases) {
        SCOPED_TRACE(name);
        try {
            check(decodeTimeline(test::readFile(folder / name)));
        } catch (const DecodeError& error) {
            ADD_FAILURE() << error.description();
        }
    }
}
