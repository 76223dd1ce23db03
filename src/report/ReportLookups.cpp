#include "report/ReportLookups.h"

#include "model/MarkedRange.h"

namespace marrowvale {

std::optional<bool> optionFlag(std::string_view key, const ReportOptions& options) {
    auto found = options.flags.find(key);
    if (found == options.flags.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> optionText(std::string_view key,
                                      const std::map<std::string, std::string>& dictionary) {
    auto found = dictionary.find(std::string(key));
    if (found == dictionary.end()) {
        return std::nullopt;
    }
    return found->second;
}

MarkerKind reportedMarkerKind(const MarkedRange& range) {
    for (MarkerKind kind : {MarkerKind::none, MarkerKind::standard, MarkerKind::incompleteToDo,
                            MarkerKind::completedToDo, MarkerKind::chapter, MarkerKind::keyword,
                            MarkerKind::favorite, MarkerKind::rejected, MarkerKind::analysis}) {
        if (range.isKind(kind)) {
            return kind;
        }
    }
    return MarkerKind::standard;
}

std::vector<std::string> markerNames(const std::vector<MarkedRange*>& ranges) {
    std::vector<std::string> names;
    names.reserve(ranges.size());
    for (const MarkedRange* range : ranges) {
        if (range != nullptr) {
            names.push_back(range->name);
        }
    }
    return names;
}

} // namespace marrowvale
