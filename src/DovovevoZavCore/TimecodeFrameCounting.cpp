#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeCounting.h"

#include <cstdint>

namespace dovovevozav {

// Counting runs in exact integer arithmetic: whole frames and subframes as integers, and a
// real-valued count only through the shortest decimal digits of its double.

Timecode::FrameCount Timecode::frameCount(const Components& components, TimecodeFrameRate frameRate,
                                          SubFramesBase subFramesBase) {
    const __int128 total = detail::frameTotal(components, frameRate);
    if (!fitsInt64(total)) {
        return FrameCount(FrameCount::Value::frames(0), subFramesBase);
    }
    const double unitInterval =
        static_cast<double>(components.subFrames) / subFramesBase.rawValue();
    return FrameCount(
        FrameCount::Value::splitUnitInterval(static_cast<std::int64_t>(total), unitInterval),
        subFramesBase);
}

Timecode::FrameCount Timecode::frameCount() const {
    return frameCount(components_, properties_.frameRate, properties_.subFramesBase);
}

Timecode::Components Timecode::components(const FrameCount& frameCount,
                                          TimecodeFrameRate frameRate) {
    return detail::componentsOf(
        detail::ExactFrames::saturatingOf(frameCount.value(), frameCount.subFramesBase()),
        frameRate, frameCount.subFramesBase());
}

bool Timecode::isZero() const {
    return frameCount().value().isZero();
}

Timecode::FrameCount Timecode::lastFrameCountOfSpan() const {
    return FrameCount(FrameCount::Value::split(properties_.spanFrames() - 1,
                                               properties_.subFramesBase.lastSubFrameValue()),
                      properties_.subFramesBase);
}

} // namespace dovovevozav
