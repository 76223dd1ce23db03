#include "DovovevoZavCore/TimecodeSource.h"

#include "DovovevoZavCore/FeetAndFrames.h"
#include "DovovevoZavCore/Timecode.h"

namespace dovovevozav {

void TimecodeZero::apply(Timecode& target) const {
    target.setComponents(TimecodeComponents::zero());
}

TimecodeSourceValue TimecodeSourceValue::components(const TimecodeComponents& components) {
    return TimecodeSourceValue(components);
}

TimecodeSourceValue TimecodeSourceValue::components(std::int64_t days, std::int64_t hours,
                                                    std::int64_t minutes, std::int64_t seconds,
                                                    std::int64_t frames, std::int64_t subFrames) {
    return TimecodeSourceValue(
        TimecodeComponents{days, hours, minutes, seconds, frames, subFrames});
}

TimecodeSourceValue TimecodeSourceValue::frames(std::int64_t frames) {
    return TimecodeSourceValue(TimecodeFrameCountValue::frames(frames));
}

TimecodeSourceValue TimecodeSourceValue::split(std::int64_t frames, std::int64_t subFrames) {
    return TimecodeSourceValue(TimecodeFrameCountValue::split(frames, subFrames));
}

TimecodeSourceValue TimecodeSourceValue::combinedFrames(double frames) {
    return TimecodeSourceValue(TimecodeFrameCountValue::combined(frames));
}

TimecodeSourceValue TimecodeSourceValue::splitUnitInterval(std::int64_t frames,
                                                           double subFramesUnitInterval) {
    return TimecodeSourceValue(
        TimecodeFrameCountValue::splitUnitInterval(frames, subFramesUnitInterval));
}

TimecodeSourceValue TimecodeSourceValue::frameCount(const TimecodeFrameCount& count) {
    return TimecodeSourceValue(count);
}

TimecodeSourceValue TimecodeSourceValue::mediaTime(const MediaTime& time) {
    return TimecodeSourceValue(MediaTimeSource{time});
}

TimecodeSourceValue TimecodeSourceValue::fraction(const Fraction& seconds) {
    return TimecodeSourceValue(FractionSource{seconds});
}

TimecodeSourceValue TimecodeSourceValue::seconds(double seconds) {
    return TimecodeSourceValue(SecondsSource{seconds});
}

TimecodeSourceValue TimecodeSourceValue::samples(double samples, std::int64_t sampleRate) {
    return TimecodeSourceValue(SamplesPayload{samples, sampleRate});
}

TimecodeSourceValue TimecodeSourceValue::samples(std::int64_t samples, std::int64_t sampleRate) {
    return TimecodeSourceValue(SamplesPayload{static_cast<double>(samples), sampleRate});
}

TimecodeSourceValue TimecodeSourceValue::feetAndFrames(const FeetAndFrames& feetAndFrames) {
    return TimecodeSourceValue(feetAndFrames);
}

TimecodeSourceValue TimecodeSourceValue::feetAndFramesText(std::string_view text,
                                                           TimecodeSubFramesBase subFramesBase) {
    return TimecodeSourceValue(FeetAndFrames(text, subFramesBase));
}

const GuaranteedTimecodeSourceValue& GuaranteedTimecodeSourceValue::zero() {
    static const GuaranteedTimecodeSourceValue value{TimecodeZero{}};
    return value;
}

const GuaranteedTimecodeSourceValue& GuaranteedTimecodeSourceValue::randomComponents() {
    static const GuaranteedTimecodeSourceValue value{TimecodeSafeRandomComponents{}};
    return value;
}

const GuaranteedRichTimecodeSourceValue&
GuaranteedRichTimecodeSourceValue::randomComponentsAndProperties() {
    static const GuaranteedRichTimecodeSourceValue value{
        TimecodeSafeRandomComponentsAndProperties{}};
    return value;
}

} // namespace dovovevozav
