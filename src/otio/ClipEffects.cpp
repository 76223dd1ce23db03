#include "otio/ClipEffects.h"

#include "app/ReaderHost.h"
#include "app/TextUtilities.h"
#include "model/ModelContext.h"
#include "otio/OTIOImport.h"
#include "otio/PremiereParameters.h"
#include "otio/SpeedChange.h"

#include <algorithm>
#include <fmt/format.h>
#include <set>
#include <string_view>

namespace marrowvale {

namespace {

std::string trimmed(const std::optional<std::string>& text) {
    return text ? std::string(trimmedText(*text)) : std::string();
}

// The Resolve block of an enabled effect with parameters; null for any other effect.
const otio::DaVREffectMetadata* activeResolveBlock(const otio::Effect& effect) {
    const std::optional<otio::DaVREffectMetadata>& block = effect.metadata.resolveOTIO;
    if (!block || block->enabled != true || !block->parameters || block->parameters->empty()) {
        return nullptr;
    }
    return &*block;
}

void logSkipped(OTIOImport& import, const otio::Effect& effect) {
    import.host.logDiagnostic(
        fmt::format("Effect not read: {} \"{}\"", effect.otioSchema, effect.name.value_or("")));
}

// "anchorPoint, Left, Pan": the parameter identifiers without Resolve's group words, each once,
// in text order.
std::string resolveSettings(const otio::DaVREffectMetadata& block) {
    std::set<std::string> identifiers;
    for (const otio::DaVREffectParameter& parameter : *block.parameters) {
        std::string identifier = parameter.parameterID;
        for (std::string_view word : {"transformation", "crop", "Param"}) {
            for (std::size_t at = identifier.find(word); at != std::string::npos;
                 at = identifier.find(word, at)) {
                identifier.erase(at, word.size());
            }
        }
        identifiers.insert(std::move(identifier));
    }
    return fmt::format("{}", fmt::join(identifiers, ", "));
}

void storePremiereEffect(OTIOImport& import, const otio::Effect& effect,
                         const otio::PProEffectMetadata& block, StoryElement& element) {
    const std::string name = trimmed(effect.name);
    const std::string effectName = trimmed(effect.effectName);
    // A text effect carries a title, which the title rules read.
    if (effectName == "Text") {
        return;
    }
    for (const otio::PProEffectParameter& parameter : listOrEmpty(block.parameters)) {
        const std::string displayName(trimmedText(parameter.displayName.value_or(""), " \t"));
        import.host.logDiagnostic("name = " + name + ", effectName = " + effectName +
                                  ", displayName = " + displayName);
        std::optional<std::string> settings = premiereParameterSettings(displayName, parameter);
        if (settings && !settings->empty()) {
            element.videoFX.push_back(
                import.store.create<VideoFX>(displayName, std::move(*settings), true));
        }
    }
}

void storeAvidEffect(OTIOImport& import, const otio::Effect& effect,
                     const otio::AvidEffectMetadata& block, StoryElement& element) {
    std::string name = trimmed(effect.name);
    import.host.logDiagnostic(
        fmt::format("AVID MEDIA COMPOSER {} \"{}\"", effect.otioSchema, name));
    if (name.find("Titler") != std::string::npos || name == "SpatialAdapter") {
        return;
    }
    // Media Composer may leave the effect unnamed and name only its operation ("Resize").
    if (name.empty() && block.operation && block.operation->name) {
        name = trimmed(block.operation->name);
    }
    element.videoFX.push_back(import.store.create<VideoFX>(std::move(name), "", true));
}

} // namespace

void storeVideoEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element) {
    for (const otio::Effect& effect : effects) {
        const std::string_view schema = effect.otioSchema;
        if (schema.starts_with("LinearTimeWarp") || schema.starts_with("FreezeFrame") ||
            schema.starts_with("TimeEffect")) {
            makeSpeedFX(import, effect, element);
            continue;
        }
        if (!schema.starts_with("Effect")) {
            logSkipped(import, effect);
            continue;
        }
        const otio::EffectMetadata& metadata = effect.metadata;
        if (metadata.resolveOTIO) {
            if (const otio::DaVREffectMetadata* block = activeResolveBlock(effect)) {
                element.videoFX.push_back(import.store.create<VideoFX>(
                    block->name.value_or("Video Effect"), resolveSettings(*block), true));
            }
        } else if (metadata.premiereproOTIO) {
            storePremiereEffect(import, effect, *metadata.premiereproOTIO, element);
        } else if (metadata.aaf) {
            storeAvidEffect(import, effect, *metadata.aaf, element);
        }
    }
}

void storeAudioEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element) {
    for (const otio::Effect& effect : effects) {
        const std::string_view schema = effect.otioSchema;
        if (schema.starts_with("LinearTimeWarp") || schema.starts_with("FreezeFrame")) {
            makeSpeedFX(import, effect, element);
            continue;
        }
        const otio::DaVREffectMetadata* block = activeResolveBlock(effect);
        if (!schema.starts_with("Effect") || block == nullptr) {
            continue;
        }
        std::string name = block->name.value_or("Audio Effect");
        const bool stored = std::any_of(element.audioFX.begin(), element.audioFX.end(),
                                        [&name](const AudioFX* fx) { return fx->name == name; });
        if (!stored) {
            element.audioFX.push_back(
                import.store.create<AudioFX>(std::move(name), "", std::nullopt, true));
        }
    }
}

} // namespace marrowvale
