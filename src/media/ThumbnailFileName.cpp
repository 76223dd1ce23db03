#include "media/ThumbnailFileName.h"

#include <fmt/format.h>

namespace marrowvale {

namespace {

constexpr std::size_t maxFileNameBytes = 255;
constexpr std::string_view extension = ".jpg";

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string thumbnailFileName(int index, std::string_view clipName) {
    // The name starts with the row number's digits, so it is never "." or "..", nor hidden.
    std::string name = fmt::format("{:03d} ", static_cast<long long>(index) + 1);
    const std::size_t room = maxFileNameBytes - extension.size();
    std::size_t end = std::min(clipName.size(), room > name.size() ? room - name.size() : 0);
    while (end > 0 && end < clipName.size() && isContinuationByte(clipName[end])) {
        --end;
    }
    for (char c : clipName.substr(0, end)) {
        const auto byte = static_cast<unsigned char>(c);
        name += c == '/' || byte < 0x20 || byte == 0x7F ? '_' : c;
    }
    return name + std::string(extension);
}

} // namespace marrowvale
