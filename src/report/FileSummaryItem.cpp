#include "report/FileSummaryItem.h"

#include "model/TextOrder.h"

#include <algorithm>

namespace marrowvale {

std::string lastPathComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1) {
        return std::string(path);
    }
    return std::string(path.substr(slash + 1));
}

void FileSummaryList::add(std::string_view path, double duration) {
    auto [found, isNew] = indexes_.try_emplace(std::string(path), items_.size());
    if (isNew) {
        items_.push_back({lastPathComponent(path), found->first, duration});
        return;
    }
    items_[found->second].estimatedTotal += duration;
}

std::vector<FileSummaryItem> FileSummaryList::take() {
    indexes_.clear();
    return std::move(items_);
}

void sortFilesSummary(std::vector<FileSummaryItem>& items) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        keys.emplace_back(textOrderKey(items[i].name), i);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FileSummaryItem> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(items[key.second]));
    }
    items = std::move(sorted);
}

} // namespace marrowvale
