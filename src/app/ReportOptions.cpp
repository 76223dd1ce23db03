#include "app/ReportOptions.h"

namespace marrowvale {

std::optional<bool> ReportOptions::value(std::string_view key) const {
    auto found = flags.find(key);
    if (found == flags.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace marrowvale
