#include "model/AudioFX.h"

namespace marrowvale {

AudioFX::AudioFX(std::string name, std::string settings, std::optional<std::string> track,
                 bool enabled, std::optional<std::vector<FxKeyValueTime*>> params)
    : name(std::move(name)), settings(std::move(settings)), track(std::move(track)),
      enabled(enabled), params(std::move(params)) {}

std::string AudioFX::debugDescription() const {
    return "AudioFx: \"" + name + "\", " + settings + " \n";
}

} // namespace marrowvale
