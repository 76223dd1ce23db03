#include "report/ReportLookups.h"

namespace marrowvale {

std::optional<bool> optionFlag(std::string_view key, const ReportOptions& options) {
    auto found = options.flags.find(key);
    if (found == options.flags.end())
        return std::nullopt;
    return found->second;
}

std::optional<std::string> optionText(std::string_view key,
                                      const std::map<std::string, std::string>& dictionary) {
    auto found = dictionary.find(std::string(key));
    if (found == dictionary.end())
        return std::nullopt;
    return found->second;
}

} // namespace marrowvale
