#include "xmeml/ClipEffectsReader.h"

#include "DovovevoZavCore/NumberText.h"
#include "model/ModelContext.h"
#include "xmeml/XMEMLImport.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace marrowvale {

using dovovevozav::finiteNumberFromText;
using dovovevozav::numberFromText;

namespace {

// Whether the element has a child with the name whose text is exactly `text` (the XPath
// predicate "[name='text']").
bool hasChildWithText(const XMEMLDocument& doc, NodeIndex node, NameID name,
                      std::string_view text) {
    for (NodeIndex c = doc.child(node, name); c != XMEMLDocument::none;
         c = doc.nextSibling(c, name)) {
        if (doc.text(c) == text) {
            return true;
        }
    }
    return false;
}

// The item's "filter/effect" elements, in document order.
std::vector<NodeIndex> itemEffects(const XMEMLImport& import, NodeIndex item) {
    return import.doc.allPaths(item, {import.names.filter, import.names.effect});
}

// The effect's first "parameter" whose "parameterid" is `id`.
NodeIndex parameterWithID(const XMEMLImport& import, NodeIndex effect, std::string_view id) {
    const XMEMLDocument& doc = import.doc;
    for (NodeIndex p = doc.child(effect, import.names.parameter); p != XMEMLDocument::none;
         p = doc.nextSibling(p, import.names.parameter)) {
        if (hasChildWithText(doc, p, import.names.parameterid, id)) {
            return p;
        }
    }
    return XMEMLDocument::none;
}

std::optional<std::string_view> parameterValue(const XMEMLImport& import, NodeIndex parameter,
                                               std::initializer_list<NameID> path) {
    if (parameter == XMEMLDocument::none) {
        return std::nullopt;
    }
    return import.text(parameter, path);
}

std::string parameterName(const XMEMLImport& import, NodeIndex parameter,
                          std::string_view fallback) {
    return std::string(import.text(parameter, {import.names.name}).value_or(fallback));
}

void addVideoEffect(XMEMLImport& import, StoryElement& clip, std::string name,
                    std::string settings) {
    clip.videoFX.push_back(import.store.create<VideoFX>(std::move(name), std::move(settings), true,
                                                        std::vector<FxKeyValueTime*>{}));
}

void storeBasicMotion(XMEMLImport& import, NodeIndex effect, StoryElement& clip) {
    const XMEMLNames& n = import.names;

    NodeIndex scale = parameterWithID(import, effect, "scale");
    if (std::optional<std::string_view> value = parameterValue(import, scale, {n.value})) {
        std::string text(*value);
        std::vector<NodeIndex> keyframes = import.doc.allPaths(scale, {n.keyframe, n.value});
        if (!keyframes.empty()) {
            text.clear();
            for (std::size_t i = 0; i < keyframes.size(); ++i) {
                text += (i == 0 ? "" : "%, ");
                text += import.doc.text(keyframes[i]);
            }
        }
        if (text != "100") {
            addVideoEffect(import, clip, parameterName(import, scale, "Scale"), "= " + text + "%");
        }
    }

    NodeIndex rotation = parameterWithID(import, effect, "rotation");
    if (std::optional<std::string_view> value = parameterValue(import, rotation, {n.value});
        value && *value != "0") {
        addVideoEffect(import, clip, parameterName(import, rotation, "Rotation"),
                       "= " + std::string(*value) + "\u00B0");
    }

    NodeIndex center = parameterWithID(import, effect, "center");
    auto horiz = parameterValue(import, center, {n.value, n.horiz});
    auto vert = parameterValue(import, center, {n.value, n.vert});
    if (horiz && vert && *horiz != "0" && *vert != "0") {
        addVideoEffect(import, clip, parameterName(import, center, "Center"), "");
    }

    NodeIndex offset = parameterWithID(import, effect, "centerOffset");
    horiz = parameterValue(import, offset, {n.value, n.horiz});
    vert = parameterValue(import, offset, {n.value, n.vert});
    if (horiz && vert && *horiz != "0" && *vert != "0") {
        addVideoEffect(import, clip, parameterName(import, offset, "Center Offset"),
                       std::string(*horiz) + ", " + std::string(*vert));
    }

    NodeIndex antiflicker = parameterWithID(import, effect, "antiflicker");
    if (std::optional<std::string_view> value = parameterValue(import, antiflicker, {n.value});
        value && *value != "0") {
        addVideoEffect(import, clip, parameterName(import, antiflicker, "Anti-flicker Filter"), "");
    }

    bool cropped = false;
    for (std::string_view id : {"leftcrop", "topcrop", "rightcrop", "bottomcrop"}) {
        NodeIndex crop = parameterWithID(import, effect, id);
        cropped = cropped || parameterValue(import, crop, {n.value}).value_or("0") != "0";
    }
    if (cropped) {
        addVideoEffect(import, clip, "Crop", "");
    }
}

void storeOpacity(XMEMLImport& import, NodeIndex effect, const std::string& effectName,
                  StoryElement& clip) {
    NodeIndex opacity = parameterWithID(import, effect, "opacity");
    if (std::optional<std::string_view> value =
            parameterValue(import, opacity, {import.names.value});
        value && *value != "100") {
        addVideoEffect(import, clip, effectName, "= " + std::string(*value) + "%");
    }
}

// The first of the item's effects whose child `name` has the text `text`.
NodeIndex firstEffectWith(const XMEMLImport& import, NodeIndex item, NameID name,
                          std::string_view text) {
    for (NodeIndex effect : itemEffects(import, item)) {
        if (hasChildWithText(import.doc, effect, name, text)) {
            return effect;
        }
    }
    return XMEMLDocument::none;
}

void storeAudioEffect(XMEMLImport& import, NodeIndex item, StoryElement& clip,
                      std::string_view effectType, std::string_view defaultName,
                      std::string_view parameterID) {
    NodeIndex effect = firstEffectWith(import, item, import.names.effecttype, effectType);
    if (effect == XMEMLDocument::none) {
        return;
    }
    std::string name(import.text(effect, {import.names.name}).value_or(defaultName));
    NodeIndex parameter = parameterWithID(import, effect, parameterID);
    std::optional<std::string_view> value = parameterValue(import, parameter, {import.names.value});
    if (!value || *value == "0") {
        return;
    }
    clip.audioFX.push_back(import.store.create<AudioFX>(std::move(name), "", std::nullopt, true,
                                                        std::vector<FxKeyValueTime*>{}));
}

} // namespace

void storeMotionFilters(XMEMLImport& import, NodeIndex clipItem, StoryElement& clip,
                        std::optional<SourceRange> range) {
    const XMEMLNames& n = import.names;
    for (NodeIndex effect : itemEffects(import, clipItem)) {
        if (!hasChildWithText(import.doc, effect, n.effecttype, "motion")) {
            continue;
        }
        std::string effectID(import.text(effect, {n.effectid}).value_or(""));
        std::string effectName(import.text(effect, {n.name}).value_or(effectID));
        if (effectID == "basic") {
            storeBasicMotion(import, effect, clip);
        } else if (effectID == "opacity") {
            storeOpacity(import, effect, effectName, clip);
        } else if (effectID == "timeremap") {
            storeTimeRemap(import, effect, clip, range);
        }
    }
}

void storeAudioFilters(XMEMLImport& import, NodeIndex clipItem, StoryElement& clip,
                       std::optional<SourceRange> range) {
    storeAudioEffect(import, clipItem, clip, "audiolevels", "Audio Levels", "level");
    storeAudioEffect(import, clipItem, clip, "audiopan", "Audio Pan", "pan");
    NodeIndex timeRemap = firstEffectWith(import, clipItem, import.names.effectid, "timeremap");
    if (timeRemap != XMEMLDocument::none) {
        storeTimeRemap(import, timeRemap, clip, range);
    }
}

void storeTimeRemap(XMEMLImport& import, NodeIndex effect, StoryElement& clip,
                    std::optional<SourceRange> range) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    double percent = 100.0;
    std::string name;
    bool variable = false;
    bool keepName = false;
    bool reverse = false;

    for (NodeIndex parameter : doc.children(effect, n.parameter)) {
        std::string_view value = import.text(parameter, {n.value}).value_or("");
        for (NodeIndex idNode : doc.children(parameter, n.parameterid)) {
            std::string_view id = doc.text(idNode);
            if (id == "variablespeed") {
                if (value == "1") {
                    name = "Multiple speed changes";
                    keepName = true;
                    variable = true;
                }
            } else if (id == "speed") {
                std::optional<double> speed = numberFromText(value);
                if (!speed || *speed == 100) {
                    continue;
                }
                if (*speed == 0) {
                    name = "Frame Hold";
                    percent = 0;
                } else if (variable) {
                    percent = *speed;
                    keepName = true;
                } else {
                    percent = *speed;
                    name = "Speed Change";
                    keepName = false;
                }
            } else if (id == "reverse") {
                // Applied once all parameters are read, so that a speed listed after it
                // cannot undo it.
                reverse = reverse || value == "TRUE";
            }
        }
    }
    if (reverse) {
        percent = -percent;
        if (!keepName) {
            name = "Reverse Speed Change";
        }
    }

    if (!std::isfinite(percent)) {
        import.diagnostics.push_back("percent is Not a Number");
        return;
    }
    if (percent == 100) {
        return;
    }
    if (!range) {
        NodeIndex item = doc.parent(doc.parent(effect));
        SourceRange read;
        if (item != XMEMLDocument::none) {
            read.in = finiteNumberFromText(import.text(item, {n.in}).value_or("")).value_or(0);
            read.out = finiteNumberFromText(import.text(item, {n.out}).value_or("")).value_or(0);
        }
        range = read;
    }
    const double w = std::fabs(percent) / 100.0;
    clip.srcDuration = w * range->out - w * range->in;
    if (clip.asset != nullptr) {
        if (percent > 0) {
            clip.srcInpoint = w * range->in + clip.asset->firstFrame;
        } else if (percent < 0) {
            clip.srcInpoint = clip.asset->firstFrame + clip.asset->duration - w * range->out;
        }
    }
    clip.speedFX = import.store.create<SpeedFX>(std::move(name), percent);
}

} // namespace marrowvale
