#include "xmeml/TimecodeRates.h"

#include "DovovevoZavCore/NumberText.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeStringParseError.h"
#include "DovovevoZavCore/TimecodeValidationError.h"
#include "DovovevoZavCore/VideoFrameRate.h"
#include "model/VideoFormat.h"

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

TimecodeFrameRate timecodeRateOfFormat(const VideoFormat& format, bool dropFrame) {
    std::optional<VideoFrameRate> video = VideoFrameRate::fromRawValue(format.videoFrameRate);
    if (!video) {
        return TimecodeFrameRate::fps30;
    }
    dovovevozav::Fraction rate = video->rate();
    if (dropFrame) {
        if (auto drop = TimecodeFrameRate::matchingRate(rate, true)) {
            return *drop;
        }
    }
    return TimecodeFrameRate::matchingRate(rate, false).value_or(TimecodeFrameRate::fps30);
}

std::optional<double> framesOfTimecodeText(std::string_view text, TimecodeFrameRate rate) {
    using dovovevozav::Timecode;
    try {
        Timecode timecode(dovovevozav::FormattedTimecodeSourceValue(text),
                          dovovevozav::TimecodeProperties(
                              rate, dovovevozav::TimecodeSubFramesBase::max100SubFrames,
                              dovovevozav::TimecodeUpperLimit::max24Hours));
        return timecode.frameCount().doubleValue();
    } catch (const dovovevozav::TimecodeStringParseError&) {
        return std::nullopt;
    } catch (const dovovevozav::TimecodeValidationError&) {
        return std::nullopt;
    }
}

std::optional<std::int64_t> frameTimebase(std::string_view text) {
    const std::optional<std::int64_t> timebase = dovovevozav::integerFromText(text);
    if (!timebase || *timebase < 1 || *timebase > 1000) {
        return std::nullopt;
    }
    return timebase;
}

} // namespace marrowvale
