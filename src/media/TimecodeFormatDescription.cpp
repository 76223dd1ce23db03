#include "media/TimecodeFormatDescription.h"

#include "DovovevoZavCore/Timecode.h"
#include "media/BigEndian.h"

namespace marrowvale {

TimecodeFormatDescription
TimecodeFormatDescription::forTimecode(const dovovevozav::Timecode& start,
                                       TimecodeFormatExtensions extensions) {
    const dovovevozav::TimecodeFrameRate rate = start.frameRate();
    TimecodeFormatDescription description;
    description.frameDuration = rate.frameDurationMediaTime();
    description.frameQuanta = static_cast<std::uint32_t>(rate.timebase());
    if (start.upperLimit() == dovovevozav::TimecodeUpperLimit::max24Hours) {
        description.flags |= twentyFourHourMax;
    }
    if (rate.isDropFrame()) {
        description.flags |= dropFrame;
    }
    description.extensions = std::move(extensions);
    return description;
}

std::optional<TimecodeFormatDescription>
TimecodeFormatDescription::fromSampleDescription(TimecodeSampleFormat format,
                                                 std::span<const std::uint8_t> bytes) {
    // reserved(4) flags(4) timescale(4) frameDuration(4) frames(1) reserved(1) [name box]
    constexpr std::size_t countingFieldsSize = 17;
    constexpr std::size_t nameOffset = 18;
    if (bytes.size() < countingFieldsSize) {
        return std::nullopt;
    }
    TimecodeFormatDescription description;
    description.mediaSubtype = format;
    description.flags = readBigEndian32(bytes.subspan(4));
    const std::uint32_t timescale = readBigEndian32(bytes.subspan(8));
    const std::uint32_t duration = readBigEndian32(bytes.subspan(12));
    // Both are unsigned on disk; one that does not fit a media time's signed fields is no
    // duration at all (an invalid time), never a negative one.
    if (timescale <= 0x7FFF'FFFFu) {
        description.frameDuration =
            dovovevozav::MediaTime(duration, static_cast<std::int32_t>(timescale));
    }
    description.frameQuanta = bytes[16];

    // The source name: a "name" box of size(4) "name"(4) length(2) language(2) text.
    if (bytes.size() >= nameOffset + 12) {
        const std::span<const std::uint8_t> box = bytes.subspan(nameOffset);
        const std::uint32_t boxSize = readBigEndian32(box);
        const std::uint32_t type = readBigEndian32(box.subspan(4));
        const std::size_t length = readBigEndian16(box.subspan(8));
        if (type == fourCharacterCode("name") && boxSize <= box.size() && 12 + length <= boxSize) {
            const auto text = box.subspan(12, length);
            description.extensions.sourceReferenceName.assign(text.begin(), text.end());
        }
    }
    return description;
}

bool operator==(const TimecodeFormatDescription& lhs, const TimecodeFormatDescription& rhs) {
    return lhs.mediaSubtype == rhs.mediaSubtype &&
           lhs.frameDuration.value == rhs.frameDuration.value &&
           lhs.frameDuration.timescale == rhs.frameDuration.timescale &&
           lhs.frameDuration.flags == rhs.frameDuration.flags &&
           lhs.frameQuanta == rhs.frameQuanta && lhs.flags == rhs.flags &&
           lhs.extensions == rhs.extensions;
}

} // namespace marrowvale
