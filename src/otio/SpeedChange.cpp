#include "otio/SpeedChange.h"

#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "otio/OTIOImport.h"
#include "otio/schema/Effect.h"

#include <cmath>

namespace marrowvale {

namespace {

// The element's speed change: its earlier one is reused so that no replaced record lingers in
// the store.
void setSpeedFX(OTIOImport& import, StoryElement& element, std::string name, double percent) {
    if (element.speedFX == nullptr) {
        element.speedFX = import.store.create<SpeedFX>(std::move(name), percent);
        return;
    }
    element.speedFX->name = std::move(name);
    element.speedFX->percent = percent;
    element.speedFX->params.reset();
}

} // namespace

void makeSpeedFX(OTIOImport& import, const otio::Effect& effect, StoryElement& element) {
    if (effect.timeScalar) {
        const double scalar = *effect.timeScalar;
        const double percent = 100 * scalar;
        // A speed that is no number (or too large to be one) would spread through every time
        // derived from it.
        if (!std::isfinite(percent)) {
            import.host.logDiagnostic("Time scalar that is not a finite number left out");
            return;
        }
        if (percent == 100) {
            return;
        }
        const char* name = percent == 0  ? "Freeze Frame"
                           : percent < 0 ? "Reverse Speed Change"
                                         : "Speed Change";
        if (element.srcDuration) {
            // A source duration beyond any number is no duration at all.
            const double scaled = *element.srcDuration * std::fabs(scalar);
            element.srcDuration =
                std::isfinite(scaled) ? std::optional<double>(scaled) : std::nullopt;
        }
        setSpeedFX(import, element, name, percent);
        return;
    }
    const std::optional<otio::AvidEffectMetadata>& avid = effect.metadata.aaf;
    if (!avid || !avid->operation) {
        return;
    }
    const std::optional<std::string>& name = avid->operation->name;
    import.host.logDiagnostic("Operation: " + name.value_or("(no name)"));
    if (name) {
        setSpeedFX(import, element, *name, 0);
    }
}

} // namespace marrowvale
