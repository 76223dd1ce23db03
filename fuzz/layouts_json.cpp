// "Layouts.json" reading under hostile bytes: a damaged or hand-edited layouts file must be
// refused with a reason, and whatever is accepted must survive being written and read again.
#include "app/LayoutsItem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<marrowvale::LayoutsItem> layouts;
    try {
        layouts = marrowvale::decodeLayouts(text);
    } catch (const marrowvale::LayoutsFileError& error) {
        // Refusal must always say why: the reason reaches the user's alert.
        if (std::string_view(error.what()).empty()) {
            std::abort();
        }
        return 0;
    }
    for (const auto& layout : layouts) {
        (void)layout.debugDescription();
    }
    // Saving what was read and reading it back must give the same layouts (a refusal escapes
    // as a crash).
    if (marrowvale::decodeLayouts(marrowvale::encodeLayouts(layouts)) != layouts) {
        std::abort();
    }
    return 0;
}
