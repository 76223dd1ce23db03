#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"
#include "DovovevoZavCore/TimecodeUpperLimit.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace dovovevozav {

/// What gives a timecode's components their meaning: frame rate, subframes base and upper
/// limit. The Timecode class names it Timecode::Properties.
struct TimecodeProperties {
    TimecodeFrameRate frameRate;
    TimecodeSubFramesBase subFramesBase;
    TimecodeUpperLimit upperLimit;

    /// Properties at a rate; 80 subframes per frame and a 24-hour clock unless given.
    constexpr TimecodeProperties(
        TimecodeFrameRate frameRate = TimecodeFrameRate::fps24,
        TimecodeSubFramesBase subFramesBase = TimecodeSubFramesBase::max80SubFrames,
        TimecodeUpperLimit upperLimit = TimecodeUpperLimit::max24Hours)
        : frameRate(frameRate), subFramesBase(subFramesBase), upperLimit(upperLimit) {}

    /// Properties at a rate case, as above.
    constexpr TimecodeProperties(TimecodeFrameRate::Value frameRate)
        : TimecodeProperties(TimecodeFrameRate(frameRate)) {}

    /// Frames in the span of the upper limit at the frame rate.
    std::int64_t spanFrames() const { return frameRate.spanFrames(upperLimit); }
    /// Subframes in the span: the modulus of the timecode clock. Valid subframe counts are
    /// 0 ... spanSubFrames() - 1.
    std::int64_t spanSubFrames() const {
        return frameRate.spanSubFrames(upperLimit, subFramesBase);
    }

    /// Equal when rate, base and limit are the same cases (the same raw texts and values).
    friend constexpr bool operator==(const TimecodeProperties&,
                                     const TimecodeProperties&) = default;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeProperties> {
    std::size_t operator()(const dovovevozav::TimecodeProperties& properties) const noexcept {
        std::size_t seed = std::hash<std::string_view>()(properties.frameRate.rawValue());
        const auto mix = [&seed](std::size_t value) {
            seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
        };
        mix(std::hash<int>()(properties.subFramesBase.rawValue()));
        mix(std::hash<std::string_view>()(properties.upperLimit.rawValue()));
        return seed;
    }
};
