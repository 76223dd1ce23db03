#pragma once

#include "DovovevoZavCore/Timecode.h"

#include <cstdint>
#include <optional>
#include <string>

namespace marrowvale {

/// A frame count shown as a time of the report: a timecode at a rate with 100 subframes per
/// frame within an upper limit (the count's fraction becomes subframes).
class ReportTime {
public:
    /// The time of `frames` at `rate`; none when the count is negative, not finite or past
    /// the limit.
    static std::optional<ReportTime> make(double frames, dovovevozav::TimecodeFrameRate rate,
                                          dovovevozav::TimecodeUpperLimit limit);

    /// The timecode text: "01:00:00:00", ";" before the frames at drop-frame rates, the day
    /// count and a blank in front when there are days.
    std::string timecodeText() const;

    /// The timecode's position as frames, subframes as the fraction.
    double frameCount() const;

    /// Feet and frames of the whole frames, 16 frames to the foot: "5625+00".
    std::string feetAndFramesText() const;

    /// The timecode's days, hours, minutes and seconds as a count of seconds.
    std::int64_t wholeSeconds() const;

private:
    explicit ReportTime(dovovevozav::Timecode timecode) : timecode_(std::move(timecode)) {}

    dovovevozav::Timecode timecode_;
};

} // namespace marrowvale
