#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "media/TimecodeFormatDescription.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace marrowvale {

/// One timecode sample as a timecode track stores it: a 32-bit frame number counted from
/// 00:00:00:00 (drop-frame at drop-frame rates), or a 64-bit value packing hours, minutes,
/// seconds and frames in 16 bits each, hours highest.
struct TimecodeSample {
    TimecodeSampleFormat format = TimecodeSampleFormat::timeCode32;
    std::uint64_t value = 0;

    /// A 32-bit frame number.
    static TimecodeSample frameNumber(std::uint32_t frameNumber) {
        return {TimecodeSampleFormat::timeCode32, frameNumber};
    }
    /// A packed 64-bit timecode.
    static TimecodeSample packed(std::uint64_t value) {
        return {TimecodeSampleFormat::timeCode64, value};
    }

    /// The sample as a timecode source: a frame count or components.
    dovovevozav::TimecodeSourceValue source() const;
    /// The sample as a timecode at the properties. Throws TimecodeValidationError when its
    /// count or components do not fit them.
    dovovevozav::Timecode timecode(const dovovevozav::TimecodeProperties& properties) const;

    friend bool operator==(const TimecodeSample&, const TimecodeSample&) = default;
};

/// The samples of one stored sample run: fixed-size big-endian values back to back (4 bytes
/// each for 32-bit samples, 8 for 64-bit ones); bytes left over at the end are ignored.
std::vector<TimecodeSample> decodeTimecodeSamples(std::span<const std::uint8_t> bytes,
                                                  TimecodeSampleFormat format);

} // namespace marrowvale

template <>
struct std::hash<marrowvale::TimecodeSample> {
    std::size_t operator()(const marrowvale::TimecodeSample& sample) const noexcept {
        return std::hash<std::uint64_t>()(sample.value) ^
               (static_cast<std::size_t>(sample.format) << 1);
    }
};
