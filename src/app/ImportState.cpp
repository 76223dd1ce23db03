#include "app/ImportState.h"

namespace marrowvale {

std::optional<std::uint8_t> reportKindForExtension(std::string_view extension) {
    if (extension == "xml")
        return 4;
    if (extension == "otio")
        return 1;
    return std::nullopt;
}

} // namespace marrowvale
