#include "media/StreamKind.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace marrowvale {

bool isVideoStream(const AVStream& stream) {
    return stream.codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
           (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) == 0;
}

std::optional<TimecodeSampleFormat> timecodeSampleFormat(const AVStream& stream) {
    if (stream.codecpar->codec_type != AVMEDIA_TYPE_DATA) {
        return std::nullopt;
    }
    if (stream.codecpar->codec_tag == MKTAG('t', 'm', 'c', 'd')) {
        return TimecodeSampleFormat::timeCode32;
    }
    if (stream.codecpar->codec_tag == MKTAG('t', 'c', '6', '4')) {
        return TimecodeSampleFormat::timeCode64;
    }
    return std::nullopt;
}

} // namespace marrowvale
