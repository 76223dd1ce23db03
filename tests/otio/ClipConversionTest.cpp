// The clip conversion: what each kind of item becomes, where it lies, and which audio items
// are left off their tracks.
#include "OTIOTestSupport.h"
#include "otio/OTIOImport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

using Category = StoryElement::Category;

TEST(ClipConversion, ItemsOfATrackAtTheirPositions) {
    json generator = {{"OTIO_SCHEMA", "Clip.2"},
                      {"name", "Solid"},
                      {"source_range", timeRange(0, 48, 24)},
                      {"media_references",
                       {{"DEFAULT_MEDIA",
                         {{"OTIO_SCHEMA", "GeneratorReference.1"},
                          {"generator_kind", "SolidColor"},
                          {"available_range", timeRange(0, 48, 24)}}}}}};
    json avidTitle = {
        {"OTIO_SCHEMA", "Clip.2"},
        {"name", "Lower third"},
        {"enabled", false},
        {"source_range", timeRange(0, 24, 24)},
        {"metadata", {{"AAF", {{"ComponentAttributeList", {{"_EFFECT_PLUGIN_CLASS", "Title"}}}}}}}};
    json compound = clip("Compound Clip 1", "", 0, 30);
    compound["metadata"] = {{"Resolve_OTIO", {{"Sequence Type", "Compound Clip"}}}};
    json ranged = transition(0, 0);
    ranged["source_range"] = timeRange(0, 6, 24);
    json nested = {{"OTIO_SCHEMA", "Stack.1"},
                   {"name", "Nest"},
                   {"source_range", timeRange(0, 20, 24)},
                   {"children", {track("Video", {clip("Inside", "/m/inside.mov", 0, 20)})}}};
    auto imported = importDocument(timeline(
        {track("Video", {clip("A", "/m/a.mov", 86424, 48), transition(12, 12), gap(100), generator,
                         avidTitle, compound, ranged, nested, clip("Missing media", "", 10, 5)})},
        24, 86400));

    const struct {
        std::string name;
        Category category;
        double position;
        double duration;
        bool enabled;
    } expected[] = {
        {"A", Category::assetclip, 86400, 48, true},
        // A transition does not move the position; without a range it lasts its offsets.
        {"Cross Dissolve", Category::transition, 86448, 24, true},
        {"", Category::gap, 86448, 100, true},
        {"Solid", Category::generator, 86548, 48, true},
        {"Lower third", Category::title, 86596, 24, false},
        {"Compound Clip 1 [Compound Clip]", Category::null, 86620, 30, true},
        {"Cross Dissolve", Category::transition, 86650, 6, true},
        {"Nest", Category::null, 86650, 20, true},
        {"Missing media", Category::null, 86670, 5, true},
    };
    const std::vector<StoryElement*>& items = imported->videoItems();
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i]->name, expected[i].name);
        EXPECT_EQ(items[i]->category, expected[i].category);
        EXPECT_EQ(items[i]->clipTimelinePosition, expected[i].position);
        EXPECT_EQ(items[i]->clipDuration, expected[i].duration);
        EXPECT_EQ(items[i]->enabled, expected[i].enabled);
        EXPECT_EQ(items[i]->timecodeFrameRate, "24");
    }
    EXPECT_EQ(items[0]->asset, imported->assets().at(0));
    EXPECT_EQ(items[0]->srcInpoint, 86424);
    EXPECT_EQ(items[0]->srcDuration, 48);
    EXPECT_FALSE(items[1]->srcInpoint);
    EXPECT_EQ(items[3]->videoRole, "SolidColor");
    // The clip inside the nested stack has its asset, but no element of its own.
    EXPECT_EQ(imported->assets().at(1)->name, "inside.mov");
    EXPECT_EQ(imported->store.count<StoryElement>(), std::size(expected));
}

TEST(ClipConversion, SourceTimesAtTheClipsOwnRate) {
    // Frames at 24 hours and one at 29.97 drop-frame.
    const double beyond24Hours = 2589408 + 1;
    json pal = clip("At 25", "", 1800, 60, 29.97);
    pal["media_references"] = {{"DEFAULT_MEDIA", externalMedia("/m/pal.mov", 0, 25)}};
    json noAddress = clip("Range only", "", 0, 10, 29.97);
    noAddress["media_references"] = {{"DEFAULT_MEDIA", externalMedia("", 3600, 25)}};
    noAddress["media_references"]["DEFAULT_MEDIA"].erase("target_url");
    auto imported = importDocument(
        timeline({track("Video", {pal, clip("Before zero", "/m/a.mov", -1, 10, 29.97),
                                  clip("Long", "/m/a.mov", 0, beyond24Hours, 29.97), noAddress})},
                 29.97),
        answering(true));
    ASSERT_EQ(imported->sequence().timecodeFrameRate, "29.97d");
    const std::vector<StoryElement*>& items = imported->videoItems();
    // Read as frames at 29.97 drop-frame, kept as frames at 25 of the same real time, in
    // hundredths of a frame; the timeline duration stays as it is.
    EXPECT_EQ(items[0]->timecodeFrameRate, "25");
    EXPECT_EQ(items[0]->clipDuration, 60);
    EXPECT_EQ(items[0]->srcInpoint, 1501.5);
    EXPECT_EQ(items[0]->srcDuration, 50.05);
    EXPECT_FALSE(items[1]->srcInpoint);
    EXPECT_EQ(items[1]->srcDuration, 10);
    EXPECT_FALSE(items[2]->srcDuration);
    EXPECT_EQ(items[2]->srcInpoint, 0);
    EXPECT_EQ(items[3]->timecodeFrameRate, "25");
    EXPECT_EQ(items[3]->firstFrame, 3600);
    EXPECT_EQ(items[3]->asset, nullptr);

    // Times carry their own rate: 10 frames at 15 fps last 20 frames of a 30 fps sequence.
    auto rescaled =
        importDocument(timeline({track("Video", {clip("At 15", "", 30, 10, 15), gap(5, 30)})}, 30));
    const std::vector<StoryElement*>& at30 = rescaled->videoItems();
    EXPECT_EQ(at30[0]->clipDuration, 20);
    EXPECT_EQ(at30[0]->srcInpoint, 60);
    EXPECT_EQ(at30[0]->srcDuration, 20);
    EXPECT_EQ(at30[1]->clipTimelinePosition, 20);

    // A 29.97 time is rescaled by the rate it names, 30000/1001: 1,500,000 frames of a 29.97
    // clip in a 25 fps timeline are 13:53:20:00 at the clip's rate, not one frame later.
    json ntsc = clip("At 29.97", "", 1500000, 30, 29.97);
    ntsc["media_references"] = {{"DEFAULT_MEDIA", externalMedia("/m/ntsc.mov", 0, 29.97)}};
    auto inPAL = importDocument(timeline({track("Video", {ntsc})}, 25));
    const StoryElement& atNTSC = *inPAL->videoItems()[0];
    EXPECT_EQ(atNTSC.timecodeFrameRate, "29.97");
    EXPECT_EQ(atNTSC.srcInpoint, 1500000);
}

// A clip rate no picture or sound runs at is named once, however many times use it, and its
// times are read at the sequence's rate as they stand: no huge counts, no fractions of a frame.
TEST(ClipConversion, ARateNoPictureOrSoundRunsAtIsReadAtTheSequencesRateWithOneWarning) {
    const struct {
        std::string rate; // as written in the document
        std::string shown;
    } cases[] = {
        {"Infinity", "999999999"},
        {"1e300", "1e+300"},
        {"1e-300", "1e-300"},
        {"0", "0"},
        {"-25", "-25"},
        {"NaN", "nan"},
    };
    constexpr double placeholder = 12345.5;
    json first = clip("A", "/m/bad.mov", 30, 10, placeholder);
    first["media_references"] = {{"DEFAULT_MEDIA", externalMedia("/m/bad.mov", 3600, placeholder)}};
    json second = first;
    second["name"] = "B";
    json third = clip("C", "", 5, 20, placeholder);
    third["media_references"] = {{"DEFAULT_MEDIA", externalMedia("", 100, placeholder)}};
    const std::string document =
        timeline({track("Video", {first, transition(4, 6, placeholder), second, third}),
                  track("Audio", {clip("Sound", "", 0, 96000, 48000)})},
                 25)
            .dump();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        std::string text = document;
        for (std::size_t at; (at = text.find("12345.5")) != std::string::npos;) {
            text.replace(at, 7, c.rate);
        }
        auto imported = importBytes(text);
        ASSERT_TRUE(imported->imported);
        EXPECT_EQ(imported->host.warnings,
                  std::vector<std::string>{"A clip\u2019s rate (" + c.shown +
                                           ") is not a frame or sample rate; times at that rate "
                                           "are read at the sequence\u2019s rate, 25p."});
        const std::vector<StoryElement*>& items = imported->videoItems();
        ASSERT_EQ(items.size(), 4u);
        for (const StoryElement* item : {items[0], items[2]}) {
            EXPECT_EQ(item->timecodeFrameRate, "25");
            EXPECT_EQ(item->clipDuration, 10);
            EXPECT_EQ(item->srcInpoint, 30);
            EXPECT_EQ(item->srcDuration, 10);
            EXPECT_EQ(item->firstFrame, 3600);
        }
        EXPECT_EQ(items[1]->clipDuration, 10);
        EXPECT_EQ(items[3]->firstFrame, 100);
        EXPECT_EQ(items[3]->srcInpoint, 5);
        EXPECT_EQ(items[3]->clipTimelinePosition, 20);
        const Asset& asset = *imported->assets().at(0);
        EXPECT_EQ(asset.firstFrame, 3600);
        EXPECT_EQ(asset.duration, 100000);
        // A sample rate is a rate: 96,000 samples at 48 kHz last 50 frames.
        EXPECT_EQ(imported->audioItems().at(0)->clipDuration, 50);
    }

    // Thousands of distinct such rates are named a few at a time, then once as "more".
    std::vector<json> many;
    for (int i = 1; i <= 1000; ++i) {
        many.push_back(clip("X", "", 0, 10, 1e300 * i));
    }
    auto imported = importBytes(timeline({track("Video", many)}, 25).dump());
    ASSERT_EQ(imported->host.warnings.size(), OTIOImport::mostRateWarnings + 1);
    EXPECT_EQ(imported->host.warnings.back(),
              "More clip rates are not frame or sample rates; times at those rates are read at "
              "the sequence\u2019s rate, 25p, too.");
}

TEST(ClipConversion, AnAudioItemRepeatingAnEarlierTrackIsLeftOff) {
    json document =
        timeline({track("Audio", {clip("A", "/m/a.wav", 0, 50), gap(50), clip("C", "", 0, 10)}),
                  track("Audio", {clip("A right", "/m/a.wav", 0, 50), gap(50),
                                  clip("C right", "", 0, 10), clip("D", "/m/a.wav", 0, 50)}),
                  track("Audio", {clip("B", "/m/b.wav", 0, 50), gap(50),
                                  clip("A again", "/m/a.wav", 0, 50)})});
    auto imported = importDocument(document);
    const auto names = [&imported](std::size_t track) {
        std::vector<std::string> result;
        for (const StoryElement* element : imported->audioItems(track)) {
            result.push_back(element->name);
        }
        return result;
    };
    EXPECT_EQ(names(0), (std::vector<std::string>{"A", "", "C"}));
    // The same file at the same place is the other channel of one sound; a gap or missing
    // media is never taken for one. The dropped item still takes its time.
    EXPECT_EQ(names(1), (std::vector<std::string>{"", "C right", "D"}));
    EXPECT_EQ(imported->audioItems(1)[2]->clipTimelinePosition, 110);
    EXPECT_EQ(names(2), (std::vector<std::string>{"B", "", "A again"}));
}

} // namespace
} // namespace marrowvale::testing
