#pragma once

#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/VideoFrameRate.h"
#include "otio/schema/RationalTime.h"
#include "otio/schema/Timeline.h"

#include <optional>

namespace marrowvale {

/// The picture rate an OTIO timeline is shown at: the rate of its "global_start_time" when that
/// names a video frame rate; otherwise the start-time rate of the first item, in track order
/// and then item order (a nested stack before its children, transitions skipped), whose source
/// range, or when it has none its media's available range, names one. Audio rates such as
/// 48000 name none. None when nothing in the document names a rate; the reader then uses 60p.
std::optional<dovovevozav::VideoFrameRate> timelineVideoFrameRate(const otio::Timeline& timeline);

/// The video frame rate a time's own rate names (23.976024627685547 names 23.98p); none for
/// a rate that names none.
std::optional<dovovevozav::VideoFrameRate> videoFrameRateOf(const otio::RationalTime& time);

/// Whether pictures or sound can run at `rate` a second: from 1 (times in seconds) to 1,000,000,
/// beyond every sample rate of sound. 0, negative, not finite, 1e-300 or the 999999999 that
/// "Infinity" is read as are not.
bool isTimeRate(double rate);

/// The time's value as a frame count at `rate`. A time whose own rate names the video frame
/// rate of `rate` (nearly every time in a real export) is taken as it stands; any other is
/// rescaled, value x rate / own rate, with the exact fraction of a named rate (30000/1001) or
/// the written rate otherwise. A time whose own rate is no time rate (isTimeRate) cannot be
/// rescaled and is taken as it stands.
double framesAt(const otio::RationalTime& time, const dovovevozav::Fraction& rate);

} // namespace marrowvale
