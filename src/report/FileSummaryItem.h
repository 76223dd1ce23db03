#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// A source file used by the clip sheet, for the files summary: its name, its path (the key)
/// and the summed durations, in frames, of the clips that use it.
struct FileSummaryItem {
    std::string name;
    std::string path;
    double estimatedTotal = 0;
};

/// The last component of a file path ("/a/b.mov" gives "b.mov"; trailing slashes ignored).
std::string lastPathComponent(std::string_view path);

/// The first item whose path is exactly `path`, or null.
FileSummaryItem* firstRecord(std::string_view path, std::vector<FileSummaryItem>& items);

/// Sorts the items stably by name in text order.
void sortFilesSummary(std::vector<FileSummaryItem>& items);

} // namespace marrowvale
