#include "report/ReportTime.h"

#include "DovovevoZavCore/FeetAndFrames.h"
#include "DovovevoZavCore/TimecodeFrameCountValue.h"
#include "DovovevoZavCore/TimecodeValidationError.h"

#include <cmath>

namespace marrowvale {

using dovovevozav::Timecode;

std::optional<ReportTime> ReportTime::make(double frames, dovovevozav::TimecodeFrameRate rate,
                                           dovovevozav::TimecodeUpperLimit limit) {
    // Negative and non-finite counts have no timecode; checking here keeps them away from any
    // conversion to an integer.
    if (!std::isfinite(frames) || frames < 0) {
        return std::nullopt;
    }
    Timecode timecode(dovovevozav::TimecodeProperties(
        rate, dovovevozav::TimecodeSubFramesBase::max100SubFrames, limit));
    try {
        dovovevozav::TimecodeFrameCountValue::combined(frames).apply(timecode);
    } catch (const dovovevozav::TimecodeValidationError&) {
        return std::nullopt;
    }
    return ReportTime(std::move(timecode));
}

std::string ReportTime::timecodeText() const {
    return timecode_.formattedString();
}

double ReportTime::frameCount() const {
    return timecode_.frameCount().doubleValue();
}

std::string ReportTime::feetAndFramesText() const {
    const dovovevozav::FeetAndFrames length = timecode_.feetAndFrames();
    return dovovevozav::FeetAndFrames::string(length.feet(), length.frames());
}

std::int64_t ReportTime::wholeSeconds() const {
    const auto& parts = timecode_.components();
    return ((parts.days * 24 + parts.hours) * 60 + parts.minutes) * 60 + parts.seconds;
}

} // namespace marrowvale
