#include "XMEMLTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

std::string parameter(std::string_view id, std::string_view value, std::string_view name = "") {
    return "<parameter><parameterid>" + std::string(id) + "</parameterid>" +
           (name.empty() ? "" : "<name>" + std::string(name) + "</name>") + "<value>" +
           std::string(value) + "</value></parameter>";
}

std::string effect(std::string_view id, std::string_view type, std::string_view parameters,
                   std::string_view name = "") {
    return "<filter><effect>" + (name.empty() ? "" : "<name>" + std::string(name) + "</name>") +
           "<effectid>" + std::string(id) + "</effectid><effecttype>" + std::string(type) +
           "</effecttype>" + std::string(parameters) + "</effect></filter>";
}

std::string videoClip(std::string_view filters,
                      std::string_view range = "<in>10</in><out>110</out>") {
    return "<clipitem><name>c</name><start>0</start><end>100</end>" + std::string(range) +
           "<file id=\"f\"/>" + std::string(filters) + "</clipitem>";
}

// One video clip item with the filters; its asset (1000 frames from frame 1000) is defined in a
// bin clip so that every item can refer to it.
std::unique_ptr<Imported> importVideoClip(std::string_view filters, int sequenceTimebase = 30,
                                          std::string_view range = "<in>10</in><out>110</out>") {
    const std::string asset = "<clip><file id=\"f\"><pathurl>p</pathurl><duration>1000</duration>"
                              "<timecode><frame>1000</frame></timecode><media><video>"
                              "<samplecharacteristics><rate><timebase>30</timebase></rate>"
                              "</samplecharacteristics></video></media></file></clip>";
    std::string document = sequenceWithTracks(
        sequenceTimebase, false, "<track>" + videoClip(filters, range) + "</track>", "");
    document.insert(document.find("<sequence"), asset);
    return importXMEML(document);
}

TEST(ClipEffects, MotionParameters) {
    const std::string quiet =
        parameter("scale", "100") + parameter("rotation", "0") +
        "<parameter><parameterid>center</parameterid><value><horiz>0.25</horiz><vert>0</vert>"
        "</value></parameter><parameter><parameterid>centerOffset</parameterid><value><horiz>0"
        "</horiz><vert>0</vert></value></parameter>" +
        parameter("antiflicker", "0") + parameter("leftcrop", "0") + parameter("topcrop", "0") +
        parameter("rightcrop", "0") + parameter("bottomcrop", "0");
    struct Case {
        std::string filters;
        std::vector<std::pair<std::string, std::string>> effects;
    };
    const Case cases[] = {
        {effect("basic", "motion", quiet), {}},
        {effect("basic", "motion", parameter("scale", "120", "Scale")), {{"Scale", "= 120%"}}},
        {effect("basic", "motion", parameter("scale", "120")), {{"Scale", "= 120%"}}},
        {effect("basic", "motion",
                "<parameter><parameterid>scale</parameterid><value>100</value><keyframe><value>50"
                "</value></keyframe><keyframe><value>80</value></keyframe></parameter>"),
         {{"Scale", "= 50%, 80%"}}},
        {effect("basic", "motion", parameter("rotation", "-15")), {{"Rotation", "= -15\u00B0"}}},
        {effect("basic", "motion",
                "<parameter><parameterid>center</parameterid><name>Centre</name><value><horiz>0.1"
                "</horiz><vert>0.2</vert></value></parameter><parameter><parameterid>"
                "centerOffset</parameterid><value><horiz>3</horiz><vert>4</vert></value>"
                "</parameter>" +
                    parameter("antiflicker", "0.5")),
         {{"Centre", ""}, {"Center Offset", "3, 4"}, {"Anti-flicker Filter", ""}}},
        {effect("basic", "motion", parameter("leftcrop", "10")), {{"Crop", ""}}},
        {effect("opacity", "motion", parameter("opacity", "100"), "Opacity"), {}},
        {effect("opacity", "motion", parameter("opacity", "40"), "Opacity"),
         {{"Opacity", "= 40%"}}},
        {effect("dropshadow", "motion", parameter("opacity", "40"), "Drop Shadow"), {}},
        {effect("basic", "filter", parameter("scale", "120")), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filters);
        auto imported = importVideoClip(c.filters);
        StoryElement& clip = *imported->videoItems()[0];
        std::vector<std::pair<std::string, std::string>> effects;
        for (VideoFX* fx : clip.videoFX) {
            effects.emplace_back(fx->name, fx->settings);
            EXPECT_TRUE(fx->enabled);
            EXPECT_TRUE(fx->params.has_value() && fx->params->empty());
        }
        EXPECT_EQ(effects, c.effects);
        EXPECT_EQ(clip.speedFX, nullptr);
    }
}

TEST(ClipEffects, SpeedChanges) {
    struct Case {
        std::string parameters;
        bool stored;
        std::string name;
        double percent, srcInpoint, srcDuration;
    };
    const Case cases[] = {
        {parameter("speed", "50") + parameter("reverse", "FALSE"), true, "Speed Change", 50, 1005,
         50},
        {parameter("speed", "50") + parameter("reverse", "TRUE"), true, "Reverse Speed Change", -50,
         1000 + 1000 - 55, 50},
        // Reverse listed before the speed still reverses it.
        {parameter("reverse", "TRUE") + parameter("speed", "50"), true, "Reverse Speed Change", -50,
         1000 + 1000 - 55, 50},
        {parameter("reverse", "TRUE") + parameter("speed", "100"), true, "Reverse Speed Change",
         -100, 1000 + 1000 - 110, 100},
        {parameter("variablespeed", "1") + parameter("speed", "100"), false, "", 0, 1010, 100},
        {parameter("variablespeed", "1") + parameter("speed", "37.5"), true,
         "Multiple speed changes", 37.5, 1003.75, 37.5},
        {parameter("speed", "0"), true, "Frame Hold", 0, 1010, 0},
        {parameter("speed", "nan"), false, "", 0, 1010, 100},
        {parameter("speed", "inf"), false, "", 0, 1010, 100},
        {parameter("speed", " 50") + parameter("frameblending", "FALSE"), false, "", 0, 1010, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        auto imported = importVideoClip(effect("timeremap", "motion", c.parameters, "Time Remap"));
        StoryElement& clip = *imported->videoItems()[0];
        ASSERT_EQ(clip.speedFX != nullptr, c.stored);
        if (c.stored) {
            EXPECT_EQ(clip.speedFX->name, c.name);
            EXPECT_DOUBLE_EQ(clip.speedFX->percent, c.percent);
            EXPECT_FALSE(clip.speedFX->params.has_value());
        }
        EXPECT_DOUBLE_EQ(*clip.srcInpoint, c.srcInpoint);
        EXPECT_DOUBLE_EQ(*clip.srcDuration, c.srcDuration);
    }
    auto nan = importVideoClip(effect("timeremap", "motion", parameter("speed", "nan")));
    EXPECT_EQ(nan->result.diagnostics, std::vector<std::string>{"percent is Not a Number"});
}

TEST(ClipEffects, SpeedChangeWorksOnConvertedInAndOut) {
    // A 30 fps source in a 60 fps sequence: in 20 and out 220 become 10 and 110 first.
    auto imported = importVideoClip(effect("timeremap", "motion", parameter("speed", "50")), 60,
                                    "<in>20</in><out>220</out>");
    StoryElement& clip = *imported->videoItems()[0];
    ASSERT_NE(clip.speedFX, nullptr);
    EXPECT_DOUBLE_EQ(*clip.srcInpoint, 1005);
    EXPECT_DOUBLE_EQ(*clip.srcDuration, 50);
}

TEST(ClipEffects, AudioLevelsPanAndSpeed) {
    const auto audioDocument = [](std::string_view filters) {
        return sequenceWithTracks(30, false, "",
                                  "<track><clipitem><name>a</name><start>0</start><end>10</end>"
                                  "<in>10</in><out>110</out>" +
                                      std::string(filters) + "</clipitem></track>");
    };
    auto quiet =
        importXMEML(audioDocument(effect("audiolevels", "audiolevels", parameter("level", "0")) +
                                  effect("audiopan", "audiopan", parameter("pan", "0"))));
    EXPECT_TRUE(quiet->audioItems()[0]->audioFX.empty());

    auto changed = importXMEML(
        audioDocument(effect("audiolevels", "audiolevels", parameter("level", "1")) +
                      effect("audiolevels", "audiolevels", parameter("level", "2"), "Second") +
                      effect("audiopan", "audiopan", parameter("pan", "-1"), "Pan") +
                      effect("timeremap", "motion", parameter("speed", "200"))));
    StoryElement& clip = *changed->audioItems()[0];
    ASSERT_EQ(clip.audioFX.size(), 2u);
    EXPECT_EQ(clip.audioFX[0]->name, "Audio Levels");
    EXPECT_EQ(clip.audioFX[0]->settings, "");
    EXPECT_EQ(clip.audioFX[0]->track, std::nullopt);
    EXPECT_EQ(clip.audioFX[1]->name, "Pan");
    EXPECT_TRUE(clip.videoFX.empty());
    // Without an asset the speed change sets the duration but not the in point.
    ASSERT_NE(clip.speedFX, nullptr);
    EXPECT_EQ(clip.speedFX->name, "Speed Change");
    EXPECT_DOUBLE_EQ(*clip.srcDuration, 200);
    EXPECT_DOUBLE_EQ(*clip.srcInpoint, 10);
}

} // namespace
} // namespace marrowvale::testing
