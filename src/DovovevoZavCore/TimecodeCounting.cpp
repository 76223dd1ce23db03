#include "DovovevoZavCore/TimecodeCounting.h"

#include "DovovevoZavCore/Int128.h"

#include <cstdint>

namespace dovovevozav::detail {

namespace {

// Floor division for a positive divisor (the ten-minute cycle runs on below zero too).
__int128 floorDivide(__int128 value, __int128 divisor) {
    const __int128 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

std::int64_t saturatedInt64(unsigned __int128 value) {
    return value > static_cast<unsigned __int128>(INT64_MAX) ? INT64_MAX
                                                             : static_cast<std::int64_t>(value);
}

// Components of a non-negative position given as whole frames and a fraction x 10^18.
TimecodeComponents componentsOfMagnitude(unsigned __int128 whole, unsigned __int128 fraction,
                                         TimecodeFrameRate frameRate,
                                         TimecodeSubFramesBase subFramesBase) {
    const auto timebase = static_cast<unsigned __int128>(frameRate.timebase());
    if (frameRate.isDropFrame()) {
        // Put back the frame numbers the counting skipped: `dropped` at every minute of each
        // ten-minute block but the first.
        const auto dropped = static_cast<unsigned __int128>(droppedFrameNumbers(frameRate));
        const unsigned __int128 perTenMinutes = timebase * 600 - dropped * 9;
        const unsigned __int128 perMinute = (perTenMinutes - dropped) / 10;
        const unsigned __int128 tens = whole / perTenMinutes;
        const unsigned __int128 rest = whole - tens * perTenMinutes;
        const unsigned __int128 minutesIntoBlock =
            rest < dropped ? 0 : (rest - dropped) / perMinute;
        whole += 9 * dropped * tens + dropped * minutesIntoBlock;
    }
    TimecodeComponents components;
    components.days = saturatedInt64(whole / (timebase * 86400));
    components.hours = static_cast<std::int64_t>(whole / (timebase * 3600) % 24);
    components.minutes = static_cast<std::int64_t>(whole / (timebase * 60) % 60);
    components.seconds = static_cast<std::int64_t>(whole / timebase % 60);
    components.frames = static_cast<std::int64_t>(whole % timebase);
    components.subFrames =
        static_cast<std::int64_t>(fraction * static_cast<unsigned>(subFramesBase.rawValue()) /
                                  static_cast<unsigned __int128>(ExactFrames::scale));
    return components;
}

void negateFirstNonZero(TimecodeComponents& components) {
    for (std::int64_t* value : {&components.days, &components.hours, &components.minutes,
                                &components.seconds, &components.frames, &components.subFrames}) {
        if (*value != 0) {
            *value = -*value; // every component here is non-negative, so this is defined
            return;
        }
    }
}

} // namespace

int droppedFrameNumbers(TimecodeFrameRate frameRate) {
    return static_cast<int>(frameRate.droppedFramesPerMinute());
}

std::int64_t lowestFrameNumber(TimecodeFrameRate frameRate, std::int64_t minutes,
                               std::int64_t seconds) {
    if (frameRate.isDropFrame() && minutes % 10 != 0 && seconds == 0) {
        return droppedFrameNumbers(frameRate);
    }
    return 0;
}

__int128 frameTotal(const TimecodeComponents& c, TimecodeFrameRate frameRate) {
    const __int128 timebase = frameRate.timebase();
    const __int128 totalMinutes =
        static_cast<__int128>(c.days) * 1440 + static_cast<__int128>(c.hours) * 60 + c.minutes;
    const __int128 totalSeconds = totalMinutes * 60 + c.seconds;
    __int128 total = timebase * totalSeconds + c.frames;
    if (frameRate.isDropFrame()) {
        total -= droppedFrameNumbers(frameRate) * (totalMinutes - floorDivide(totalMinutes, 10));
    }
    return total;
}

__int128 subFrameCount(const TimecodeComponents& components, const TimecodeProperties& properties) {
    return frameTotal(components, properties.frameRate) * properties.subFramesBase.rawValue() +
           components.subFrames;
}

TimecodeComponents componentsOf(const ExactFrames& frames, TimecodeFrameRate frameRate,
                                TimecodeSubFramesBase subFramesBase) {
    const unsigned __int128 magnitude = magnitude128(frames.scaled());
    const auto scale = static_cast<unsigned __int128>(ExactFrames::scale);
    TimecodeComponents components =
        componentsOfMagnitude(magnitude / scale, magnitude % scale, frameRate, subFramesBase);
    if (frames.isNegative()) {
        negateFirstNonZero(components);
    }
    return components;
}

TimecodeComponents componentsOfSubFrameCount(__int128 count, const TimecodeProperties& properties) {
    const int base = properties.subFramesBase.rawValue();
    const unsigned __int128 magnitude = magnitude128(count);
    const auto scale = static_cast<unsigned __int128>(ExactFrames::scale);
    TimecodeComponents components =
        componentsOfMagnitude(magnitude / static_cast<unsigned>(base),
                              magnitude % static_cast<unsigned>(base) * (scale / base),
                              properties.frameRate, properties.subFramesBase);
    if (count < 0) {
        negateFirstNonZero(components);
    }
    return components;
}

TimecodeComponents clampedComponents(__int128 count, const TimecodeProperties& properties) {
    const __int128 last = properties.spanSubFrames() - 1;
    return componentsOfSubFrameCount(count < 1 ? 0 : (count > last ? last : count), properties);
}

TimecodeComponents wrappedComponents(__int128 count, const TimecodeProperties& properties) {
    const __int128 modulus = properties.spanSubFrames();
    __int128 remainder = count % modulus;
    if (remainder < 0) {
        remainder += modulus;
    }
    return componentsOfSubFrameCount(remainder, properties);
}

} // namespace dovovevozav::detail
