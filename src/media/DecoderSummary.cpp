#include "media/DecoderSummary.h"

#include <fmt/format.h>
#include <fmt/ranges.h>
#include <utility>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace marrowvale {

std::string decoderSummary() {
    std::size_t video = 0;
    std::size_t audio = 0;
    void* state = nullptr;
    while (const AVCodec* codec = av_codec_iterate(&state)) {
        if (!av_codec_is_decoder(codec)) {
            continue;
        }
        if (codec->type == AVMEDIA_TYPE_VIDEO) {
            ++video;
        } else if (codec->type == AVMEDIA_TYPE_AUDIO) {
            ++audio;
        }
    }
    // The formats editors ask about most, by the decoder's name.
    static constexpr std::pair<const char*, const char*> notable[] = {
        {"prores", "ProRes"}, {"dnxhd", "DNxHD/DNxHR"},  {"h264", "H.264"},
        {"hevc", "HEVC"},     {"mpeg2video", "MPEG-2"},  {"dvvideo", "DV"},
        {"cfhd", "CineForm"}, {"jpeg2000", "JPEG 2000"}, {"v210", "10-bit uncompressed"},
    };
    std::vector<std::string> present;
    for (auto [decoder, label] : notable) {
        if (avcodec_find_decoder_by_name(decoder) != nullptr) {
            present.emplace_back(label);
        }
    }
    const std::string list = present.empty() ? "none of the common editing formats"
                                             : fmt::format("{}", fmt::join(present, ", "));
    return fmt::format("Thumbnails and frame rates can be read from {} video formats and audio "
                       "tags from {} audio formats, including {}.",
                       video, audio, list);
}

} // namespace marrowvale
