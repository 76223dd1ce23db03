#include "app/SheetKey.h"

namespace marrowvale {

namespace {

// In the order of `SheetKey`.
constexpr std::array<std::string_view, allSheetKeys.size()> texts = {
    "ignoreAudio", "markers", "generators", "transitions", "effects", "summary"};

} // namespace

std::string_view sheetKeyText(SheetKey key) {
    return texts[static_cast<std::size_t>(key)];
}

std::optional<SheetKey> sheetKeyFromText(std::string_view text) {
    for (SheetKey key : allSheetKeys) {
        if (sheetKeyText(key) == text) {
            return key;
        }
    }
    return std::nullopt;
}

} // namespace marrowvale
