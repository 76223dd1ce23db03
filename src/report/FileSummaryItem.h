#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace marrowvale {

/// A source file used by the clip sheet, for the files summary: its name, its path (the key)
/// and the summed durations, in frames, of the clips that use it.
struct FileSummaryItem {
    std::string name;
    std::string path;
    double estimatedTotal = 0;
};

/// The files summary as the clip sheet gathers it, clip by clip: one item per path in the order
/// the paths are first met. Each path is found again through a hash map, so a timeline whose
/// clips each use a file of their own costs no more per clip than one that reuses a few.
class FileSummaryList {
public:
    /// Adds `duration` frames to the item of `path`, making the item (named after the path's
    /// last component) when the path is new.
    void add(std::string_view path, double duration);
    /// The items in first-met order.
    const std::vector<FileSummaryItem>& items() const noexcept { return items_; }
    /// Hands the items over, leaving the list empty.
    std::vector<FileSummaryItem> take();

private:
    std::vector<FileSummaryItem> items_;
    std::unordered_map<std::string, std::size_t> indexes_; // path -> position in items_
};

/// The last component of a file path ("/a/b.mov" gives "b.mov"; trailing slashes ignored).
std::string lastPathComponent(std::string_view path);

/// Sorts the items stably by name in text order.
void sortFilesSummary(std::vector<FileSummaryItem>& items);

} // namespace marrowvale
