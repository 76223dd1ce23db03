#include "model/SpeedFX.h"

#include "model/DebugText.h"

namespace marrowvale {

SpeedFX::SpeedFX(std::string name, double percent,
                 std::optional<std::vector<FxKeyValueTime*>> params)
    : name(std::move(name)), percent(percent), params(std::move(params)) {}

std::string SpeedFX::debugDescription() const {
    return "SpeedFx: \"" + name + "\", " + detail::doubleText(percent) + " % \n";
}

} // namespace marrowvale
