#include "DovovevoZavCore/TimecodeRealTimeSources.h"

#include "DovovevoZavCore/ExactFrames.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeCounting.h"
#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include <cmath>
#include <cstdint>

namespace dovovevozav {

namespace {

// Real-valued frames are cut to 8 decimal places, as a real-number frame count is.
constexpr int framePlaces = 8;

// Frames of a time in seconds at the target's real-time rate, nudged by 0.00001 frame away
// from zero so that exact frame boundaries do not round down.
double framesOfSeconds(double seconds, const Timecode& target) {
    const double frames = seconds / (1.0 / target.frameRate().realTimeRate());
    return frames + std::copysign(0.00001, frames);
}

double framesOfSamples(const SamplesPayload& payload, const Timecode& target) {
    const double seconds = payload.samples / static_cast<double>(payload.sampleRate);
    return framesOfSeconds(seconds, target) + std::copysign(0.0001, seconds);
}

void storeCheckedRealFrames(Timecode& target, double frames) {
    const auto exact = detail::ExactFrames::fromDouble(frames, framePlaces);
    if (!exact) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    detail::storeCheckedComponents(
        target, detail::componentsOf(*exact, target.frameRate(), target.subFramesBase()));
}

// frames = (numerator / denominator seconds) / frame duration, as a real number.
double framesOfRatio(std::int64_t numerator, std::int64_t denominator, const Timecode& target) {
    const Fraction duration = target.frameRate().frameDuration();
    return static_cast<double>(duration.denominator()) * static_cast<double>(numerator) /
           (static_cast<double>(duration.numerator()) * static_cast<double>(denominator));
}

// Whole frames of a ratio of seconds in integer arithmetic, truncating toward zero; the
// 128-bit products cannot overflow and the quotient saturates at the 64-bit limits.
detail::ExactFrames wholeFramesOfRatio(std::int64_t numerator, std::int64_t denominator,
                                       const Timecode& target) {
    const Fraction duration = target.frameRate().frameDuration();
    const __int128 frames = static_cast<__int128>(numerator) * duration.denominator() /
                            (static_cast<__int128>(duration.numerator()) * denominator);
    const __int128 limited =
        frames > INT64_MAX ? INT64_MAX : (frames < INT64_MIN ? INT64_MIN : frames);
    return detail::ExactFrames::whole(limited);
}

void storeCheckedRatio(Timecode& target, std::int64_t numerator, std::int64_t denominator) {
    detail::storeCheckedFrames(
        target, detail::ExactFrames::fromDouble(framesOfRatio(numerator, denominator, target),
                                                framePlaces));
}

} // namespace

void SecondsSource::apply(Timecode& target) const {
    storeCheckedRealFrames(target, framesOfSeconds(seconds, target));
}

void SecondsSource::apply(Timecode& target, TimecodeValidationRule rule) const {
    detail::storeFramesByRule(
        target, detail::ExactFrames::saturating(framesOfSeconds(seconds, target), framePlaces),
        rule);
}

void SamplesPayload::apply(Timecode& target) const {
    if (sampleRate == 0) {
        throw TimecodeValidationError(TimecodeValidationError::invalid);
    }
    storeCheckedRealFrames(target, framesOfSamples(*this, target));
}

void SamplesPayload::apply(Timecode& target, TimecodeValidationRule rule) const {
    const detail::ExactFrames frames =
        sampleRate == 0
            ? detail::ExactFrames()
            : detail::ExactFrames::saturating(framesOfSamples(*this, target), framePlaces);
    detail::storeFramesByRule(target, frames, rule);
}

void MediaTimeSource::apply(Timecode& target) const {
    if (!time.isNumeric()) {
        throw TimecodeValidationError(TimecodeValidationError::invalid);
    }
    storeCheckedRatio(target, time.value, time.timescale);
}

void MediaTimeSource::apply(Timecode& target, TimecodeValidationRule rule) const {
    const detail::ExactFrames frames = time.isNumeric()
                                           ? wholeFramesOfRatio(time.value, time.timescale, target)
                                           : detail::ExactFrames();
    detail::storeFramesByRule(target, frames, rule);
}

void FractionSource::apply(Timecode& target) const {
    if (fraction.denominator() == 0) {
        throw TimecodeValidationError(TimecodeValidationError::invalid);
    }
    storeCheckedRatio(target, fraction.numerator(), fraction.denominator());
}

void FractionSource::apply(Timecode& target, TimecodeValidationRule rule) const {
    const detail::ExactFrames frames =
        fraction.denominator() != 0
            ? wholeFramesOfRatio(fraction.numerator(), fraction.denominator(), target)
            : detail::ExactFrames();
    detail::storeFramesByRule(target, frames, rule);
}

} // namespace dovovevozav
