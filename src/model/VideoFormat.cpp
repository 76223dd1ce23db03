#include "model/VideoFormat.h"

namespace marrowvale {

VideoFormat::VideoFormat(std::string id, std::string name, std::string videoFrameRate,
                         std::int64_t width, std::int64_t height, bool anamorphic,
                         std::string fieldOrder, std::string pixelAspectRatio)
    : id(std::move(id)), name(std::move(name)), videoFrameRate(std::move(videoFrameRate)),
      width(width), height(height), anamorphic(anamorphic), fieldOrder(std::move(fieldOrder)),
      pixelAspectRatio(std::move(pixelAspectRatio)) {}

std::string VideoFormat::debugDescription() const {
    return "VideoFormat " + id + ": \"" + name + "\", " + videoFrameRate + ", " +
           std::to_string(width) + "x" + std::to_string(height) + "\n";
}

} // namespace marrowvale
