// OTIO decoding under hostile bytes: a document either decodes or is refused with a reason,
// never crashes or exhausts the stack; every free-form value has its texts; and a decoded
// timeline written back and read again is the same timeline.
#include "otio/schema/TimelineDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace marrowvale::otio;

void readTexts(const AnyCodable& value) {
    (void)value.stringValue();
    (void)value.stringDictionary();
    (void)value.debugDescription();
}

void readMedia(const MediaReference& media) {
    if (media.availableImageBounds) {
        readTexts(*media.availableImageBounds);
    }
    if (media.parameters && media.parameters->resolveOTIO) {
        for (const DaVRMediaParameter& generator : *media.parameters->resolveOTIO) {
            for (const AnyCodable::Dictionary& parameter :
                 generator.parameters.value_or(std::vector<AnyCodable::Dictionary>{})) {
                readTexts(AnyCodable(parameter));
            }
        }
    }
}

void readEffects(const std::optional<std::vector<Effect>>& effects) {
    for (const Effect& effect : effects.value_or(std::vector<Effect>{})) {
        const EffectMetadata& metadata = effect.metadata;
        if (metadata.resolveOTIO && metadata.resolveOTIO->parameters) {
            for (const DaVREffectParameter& parameter : *metadata.resolveOTIO->parameters) {
                readTexts(parameter.parameterValue);
                readTexts(parameter.defaultParameterValue);
                for (const auto& [key, frame] : parameter.keyFrames.value_or(
                         std::map<std::string, KeyFrame>{})) {
                    readTexts(frame.value);
                }
            }
        }
        if (metadata.premiereproOTIO && metadata.premiereproOTIO->parameters) {
            for (const PProEffectParameter& parameter : *metadata.premiereproOTIO->parameters) {
                if (parameter.startValue) {
                    readTexts(parameter.startValue->value);
                }
            }
        }
    }
}

void readChildren(const std::vector<Child>& children) {
    for (const Child& child : children) {
        readEffects(child.effects);
        if (child.mediaReference) {
            readMedia(*child.mediaReference);
        }
        if (child.mediaReferences) {
            readMedia(child.mediaReferences->defaultMedia);
        }
        if (child.children) {
            readChildren(*child.children);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Timeline timeline;
    try {
        timeline = decodeTimeline(bytes);
    } catch (const DecodeError& error) {
        // A refusal always says why: the description reaches the user's alert.
        if (error.description().empty()) {
            std::abort();
        }
        return 0;
    }
    readEffects(timeline.tracks.effects);
    readChildren(timeline.tracks.children);

    // NaN is the one value that is not equal to itself, and it is written back as null.
    if (bytes.find("NaN") == std::string_view::npos) {
        const std::string written = encodeTimeline(timeline);
        if (!(decodeTimeline(written) == timeline)) {
            std::abort();
        }
    }
    return 0;
}
