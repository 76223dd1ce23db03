// Effects and speed changes: each editor's effect rules, on video and audio elements, and the
// source duration a time warp implies.
#include "OTIOTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

using Effects = std::vector<std::pair<std::string, std::string>>; // name, settings

json effect(json metadata, const std::string& name = "Effect",
            const std::string& schema = "Effect.1") {
    return {{"OTIO_SCHEMA", schema}, {"name", name}, {"effect_name", name}, {"metadata", metadata}};
}

json resolveEffect(json block) {
    return effect({{"Resolve_OTIO", block}});
}

json resolveParameter(const std::string& id) {
    return {{"Default Parameter Value", 0},
            {"Parameter ID", id},
            {"Parameter Value", 1},
            {"Variant Type", "Double"}};
}

json premiereEffect(json parameters, const std::string& effectName = "AE.ADBE Motion") {
    json result = effect({{"PremierePro_OTIO", {{"Parameters", parameters}}}}, "Motion");
    result["effect_name"] = effectName;
    return result;
}

json premiereParameter(const std::string& displayName, json value) {
    return {{"DisplayName", displayName}, {"StartValue", {{"Value", value}}}};
}

json avidEffect(const std::string& name, const std::string& operation = "") {
    json result = effect({{"AAF", {{"Operation", {{"Name", operation}}}}}}, name);
    if (name.empty()) {
        result["name"] = nullptr;
    }
    return result;
}

json timeWarp(json scalar, const std::string& schema = "LinearTimeWarp.1") {
    json result = effect(json::object(), "", schema);
    result["time_scalar"] = scalar;
    return result;
}

json withEffects(json item, json effects) {
    item["effects"] = std::move(effects);
    return item;
}

Effects videoEffects(const StoryElement& element) {
    Effects result;
    for (const VideoFX* fx : element.videoFX) {
        EXPECT_TRUE(fx->enabled);
        EXPECT_FALSE(fx->params);
        result.emplace_back(fx->name, fx->settings);
    }
    return result;
}

TEST(ClipEffects, EachEditorsVideoEffectsBecomeVideoFX) {
    json resolveEnabled = {
        {"Enabled", true},
        {"Parameters",
         {resolveParameter("transformationPan"), resolveParameter("transformationTilt"),
          resolveParameter("cropLeft"), resolveParameter("ParamZoom"), resolveParameter("Zoom")}}};
    json resolveNamed = {{"Enabled", true},
                         {"Name", "Gaussian Blur"},
                         {"Parameters", {resolveParameter("strength")}}};
    json resolveOff = resolveNamed;
    resolveOff["Enabled"] = false;
    json resolveEmpty = resolveNamed;
    resolveEmpty["Parameters"] = json::array();
    const json motion = premiereEffect({premiereParameter("Position", {{"X", 0.25}, {"Y", 0.5}}),
                                        premiereParameter("Anchor Point", {{"X", 0.5}, {"Y", 0.5}}),
                                        premiereParameter("Scale", 100),
                                        premiereParameter(" Opacity ", 80),
                                        premiereParameter("Rotation", 15),
                                        premiereParameter("Crop Left", 12.5),
                                        premiereParameter("Scale Width", 90),
                                        premiereParameter("Blur Amount", 30),
                                        premiereParameter("Anti-flicker Filter", 0),
                                        {{"DisplayName", "Opacity"}}});

    auto imported = importDocument(timeline({track(
        "Video",
        {withEffects(clip("Resolve", "", 0, 10),
                     {resolveEffect(resolveEnabled), resolveEffect(resolveNamed),
                      resolveEffect(resolveNamed), resolveEffect(resolveOff),
                      resolveEffect(resolveEmpty), resolveEffect(json::object())}),
         withEffects(clip("Premiere", "", 0, 10),
                     {motion, premiereEffect({premiereParameter("Opacity", 50)}, " Text ")}),
         withEffects(clip("Avid", "", 0, 10),
                     {avidEffect("SpatialAdapter"), avidEffect("Avid Titler+"),
                      avidEffect(" Blur Effect "), avidEffect("", "Resize")}),
         withEffects(clip("Other", "", 0, 10),
                     {effect(json::object()), effect(json::object(), "Marker", "Marker.2")})})}));

    const std::vector<StoryElement*>& items = imported->videoItems();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(videoEffects(*items[0]), (Effects{{"Video Effect", "Left, Pan, Tilt, Zoom"},
                                                {"Gaussian Blur", "strength"},
                                                {"Gaussian Blur", "strength"}}));
    // Only the intrinsic parameters that differ from their defaults; a text effect is a title's.
    EXPECT_EQ(videoEffects(*items[1]), (Effects{{"Position", "X: 0.25, Y: 0.5"},
                                                {"Opacity", "80%"},
                                                {"Rotation", "15\u00b0"},
                                                {"Crop Left", "12.5%"},
                                                {"Scale Width", "90"}}));
    // An unnamed Media Composer effect is called after its operation.
    EXPECT_EQ(videoEffects(*items[2]), (Effects{{"Blur Effect", ""}, {"Resize", ""}}));
    EXPECT_TRUE(items[3]->videoFX.empty());
    for (const StoryElement* item : items) {
        EXPECT_EQ(item->speedFX, nullptr);
        EXPECT_TRUE(item->audioFX.empty());
    }
}

TEST(ClipEffects, PremiereListsOnlyTheIntrinsicParametersOffTheirDefaults) {
    const json centre = {{"X", 0.5}, {"Y", 0.5}};
    const struct {
        std::string effect;
        std::string name;
        json atDefault;
        json changed;
        std::string settings; // of the changed value
    } parameters[] = {
        {"AE.ADBE Motion", "Position", centre, {{"X", 0.25}, {"Y", 0.5}}, "X: 0.25, Y: 0.5"},
        {"AE.ADBE Motion", "Scale", 100, 50, "50%"},
        {"AE.ADBE Motion", "Scale Width", 100, 0, "0"},
        {"AE.ADBE Motion", "Rotation", 0, 90, "90\u00b0"},
        {"AE.ADBE Motion", "Anchor Point", centre, {{"X", 0.5}, {"Y", 0.75}}, "X: 0.5, Y: 0.75"},
        {"AE.ADBE Motion", "Anti-flicker Filter", 0, 0.5, "0.5"},
        {"AE.ADBE Opacity", "Opacity", 100, 0, "0%"},
        {"AE.ADBE Crop", "Crop Left", 0, 10, "10%"},
        {"AE.ADBE Crop", "Crop Top", 0, 20, "20%"},
        {"AE.ADBE Crop", "Crop Right", 0, 30, "30%"},
        {"AE.ADBE Crop", "Crop Bottom", 0, 40, "40%"},
    };
    // The motion, opacity and crop effects with every parameter at its default but one.
    const auto effectsChanging = [&parameters](std::size_t changed) {
        json effects = json::array();
        for (const char* name : {"AE.ADBE Motion", "AE.ADBE Opacity", "AE.ADBE Crop"}) {
            json values = json::array();
            for (std::size_t i = 0; i < std::size(parameters); ++i) {
                if (parameters[i].effect == name) {
                    values.push_back(premiereParameter(parameters[i].name,
                                                       i == changed ? parameters[i].changed
                                                                    : parameters[i].atDefault));
                }
            }
            effects.push_back(premiereEffect(values, name));
        }
        return effects;
    };
    json items = {withEffects(clip("Defaults", "", 0, 10), effectsChanging(std::size(parameters)))};
    for (std::size_t i = 0; i < std::size(parameters); ++i) {
        items.push_back(withEffects(clip(parameters[i].name, "", 0, 10), effectsChanging(i)));
    }
    auto imported = importDocument(timeline({track("Video", items)}));

    const std::vector<StoryElement*>& elements = imported->videoItems();
    ASSERT_EQ(elements.size(), std::size(parameters) + 1);
    EXPECT_TRUE(elements[0]->videoFX.empty());
    for (std::size_t i = 0; i < std::size(parameters); ++i) {
        EXPECT_EQ(videoEffects(*elements[i + 1]),
                  (Effects{{parameters[i].name, parameters[i].settings}}));
    }
}

TEST(ClipEffects, AudioEffectsAreResolvesOnceByName) {
    json gain = resolveEffect(
        {{"Enabled", true}, {"Name", "Gain"}, {"Parameters", {resolveParameter("gain")}}});
    json unnamed = resolveEffect({{"Enabled", true}, {"Parameters", {resolveParameter("eq")}}});
    auto imported = importDocument(timeline(
        {track("Audio",
               {withEffects(clip("Dialogue", "", 0, 10),
                            {gain, gain, unnamed, premiereEffect({premiereParameter("Volume", 3)}),
                             avidEffect("Audio EQ"), timeWarp(2, "TimeEffect.1")})})}));
    const StoryElement& item = *imported->audioItems().at(0);
    std::vector<std::string> names;
    for (const AudioFX* fx : item.audioFX) {
        EXPECT_EQ(fx->settings, "");
        EXPECT_FALSE(fx->track);
        names.push_back(fx->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Gain", "Audio Effect"}));
    EXPECT_TRUE(item.videoFX.empty());
    // A time effect is not a time warp on an audio track.
    EXPECT_EQ(item.speedFX, nullptr);
}

TEST(ClipEffects, TimeWarpsAreSpeedChangesOfTheSourceDuration) {
    json operation = avidEffect("", "Motion Effect");
    operation["OTIO_SCHEMA"] = "TimeEffect.1";
    const struct {
        std::string name;
        json effects;
        std::string speedName; // empty: no speed change
        double percent;
        std::optional<double> srcDuration;
        double duration = 100;
    } cases[] = {
        {"Half speed", {timeWarp(0.5)}, "Speed Change", 50, 50},
        {"Reverse", {timeWarp(-1)}, "Reverse Speed Change", -100, 100},
        {"Freeze", {timeWarp(0, "FreezeFrame.1")}, "Freeze Frame", 0, 0},
        {"Double on video", {timeWarp(2, "TimeEffect.1")}, "Speed Change", 200, 200},
        {"Normal", {timeWarp(1)}, "", 0, 100},
        {"Not a number", {timeWarp("NaN")}, "", 0, 100},
        {"Overflowing", {timeWarp(1e307)}, "", 0, 100},
        {"Beyond any duration", {timeWarp(1.7e306)}, "Speed Change", 1.7e308, std::nullopt, 200},
        {"Last one wins", {timeWarp(0.5), timeWarp(0.5)}, "Speed Change", 50, 25},
        {"Media Composer operation", {operation}, "Motion Effect", 0, 100},
    };
    json items = json::array();
    for (const auto& c : cases) {
        items.push_back(withEffects(clip(c.name, "", 0, c.duration), c.effects));
    }
    // NaN has no JSON form; the reader takes the word.
    std::string text = timeline({track("Video", items)}).dump();
    const std::string quotedNaN = "\"NaN\"";
    text.replace(text.find(quotedNaN), quotedNaN.size(), "NaN");
    auto imported = importBytes(text);

    const std::vector<StoryElement*>& elements = imported->videoItems();
    ASSERT_EQ(elements.size(), std::size(cases));
    for (std::size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const StoryElement& element = *elements[i];
        EXPECT_EQ(element.clipDuration, cases[i].duration);
        EXPECT_EQ(element.srcDuration, cases[i].srcDuration);
        if (cases[i].speedName.empty()) {
            EXPECT_EQ(element.speedFX, nullptr);
            continue;
        }
        ASSERT_NE(element.speedFX, nullptr);
        EXPECT_EQ(element.speedFX->name, cases[i].speedName);
        EXPECT_EQ(element.speedFX->percent, cases[i].percent);
    }
    // A replaced speed change leaves nothing behind.
    EXPECT_EQ(imported->store.count<SpeedFX>(), 7u);
}

} // namespace
} // namespace marrowvale::testing
