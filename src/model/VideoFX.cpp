#include "model/VideoFX.h"

#include "model/DebugText.h"

namespace marrowvale {

VideoFX::VideoFX(std::string name, std::string settings, bool enabled,
                 std::optional<std::vector<FxKeyValueTime*>> params)
    : name(std::move(name)), settings(std::move(settings)), enabled(enabled),
      params(std::move(params)) {}

std::string VideoFX::debugDescription() const {
    std::string text = "VideoFx: \"" + name + "\": " + settings + ", enabled=";
    text += detail::boolText(enabled);
    text += " \n";
    return text;
}

} // namespace marrowvale
