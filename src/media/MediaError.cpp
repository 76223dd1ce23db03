#include "media/MediaError.h"

extern "C" {
#include <libavutil/error.h>
}

#include <array>

namespace marrowvale {

MediaError MediaError::fromCode(std::string_view action, int code) {
    std::array<char, AV_ERROR_MAX_STRING_SIZE> reason{};
    av_strerror(code, reason.data(), reason.size());
    return MediaError(std::string(action) + ": " + reason.data(), code);
}

} // namespace marrowvale
