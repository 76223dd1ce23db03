#include "media/MediaParseError.h"

namespace marrowvale {

namespace {

const char* messageOf(MediaParseError::Kind kind) {
    switch (kind) {
    case MediaParseError::missingOrNonStandardFrameRate:
        return "The media file has no frame rate, or one that is not a standard rate.";
    case MediaParseError::unknownTimecode:
        return "The media file has no timecode.";
    case MediaParseError::internalError:
        return "The media file's timecode could not be read.";
    case MediaParseError::noData:
        break;
    }
    return "The media file holds no data.";
}

} // namespace

MediaParseError::MediaParseError(Kind kind) : std::runtime_error(messageOf(kind)), kind_(kind) {}

} // namespace marrowvale
