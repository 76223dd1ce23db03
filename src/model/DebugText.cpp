#include "model/DebugText.h"

namespace marrowvale::detail {

std::string_view boolText(bool value) noexcept {
    return value ? "true" : "false";
}

} // namespace marrowvale::detail
