#include "media/TimecodeSample.h"

#include "media/BigEndian.h"

namespace marrowvale {

using dovovevozav::Timecode;
using dovovevozav::TimecodeSourceValue;

TimecodeSourceValue TimecodeSample::source() const {
    if (format == TimecodeSampleFormat::timeCode32) {
        return TimecodeSourceValue::frames(static_cast<std::int64_t>(value));
    }
    const auto field = [this](int shift) {
        return static_cast<std::int64_t>((value >> shift) & 0xFFFF);
    };
    return TimecodeSourceValue::components(0, field(48), field(32), field(16), field(0));
}

Timecode TimecodeSample::timecode(const dovovevozav::TimecodeProperties& properties) const {
    return Timecode(source(), properties);
}

std::vector<TimecodeSample> decodeTimecodeSamples(std::span<const std::uint8_t> bytes,
                                                  TimecodeSampleFormat format) {
    const std::size_t size = format == TimecodeSampleFormat::timeCode32 ? 4 : 8;
    std::vector<TimecodeSample> samples;
    samples.reserve(bytes.size() / size);
    for (std::size_t offset = 0; offset + size <= bytes.size(); offset += size) {
        const auto field = bytes.subspan(offset, size);
        samples.push_back(format == TimecodeSampleFormat::timeCode32
                              ? TimecodeSample::frameNumber(readBigEndian32(field))
                              : TimecodeSample::packed(readBigEndian64(field)));
    }
    return samples;
}

} // namespace marrowvale
