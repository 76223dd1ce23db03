#include "otio/FrameConversion.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeFrameCountValue.h"
#include "DovovevoZavCore/TimecodeValidationError.h"

#include <cmath>

namespace marrowvale {

std::optional<double> convertedFrames(double frames, dovovevozav::TimecodeFrameRate from,
                                      dovovevozav::TimecodeFrameRate to,
                                      dovovevozav::TimecodeUpperLimit limit) {
    using dovovevozav::Timecode;
    // Checked here so that no such count ever reaches a conversion to an integer.
    if (!std::isfinite(frames) || frames < 0) {
        return std::nullopt;
    }
    Timecode timecode(dovovevozav::TimecodeProperties(
        from, dovovevozav::TimecodeSubFramesBase::max100SubFrames, limit));
    try {
        dovovevozav::TimecodeFrameCountValue::combined(frames).apply(timecode);
        const Timecode converted = timecode.convertingFrameRate(to);
        return converted.frameCount().doubleValue();
    } catch (const dovovevozav::TimecodeValidationError&) {
        return std::nullopt;
    }
}

} // namespace marrowvale
