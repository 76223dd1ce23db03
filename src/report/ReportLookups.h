#pragma once

#include "app/ReportOptions.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// One key of the report options: true, false, or none when the key is absent.
std::optional<bool> optionFlag(std::string_view key, const ReportOptions& options);

/// One key of a text dictionary (such as a clip's parameters), or none when absent.
std::optional<std::string> optionText(std::string_view key,
                                      const std::map<std::string, std::string>& dictionary);

class MarkedRange;
enum class MarkerKind;

/// The kind a marked range is reported as: the kind whose name its `color` holds exactly, or
/// Standard for any other text (the XMEML and OTIO readers store a colour name there).
MarkerKind reportedMarkerKind(const MarkedRange& range);

/// The names of the marked ranges, in list order.
std::vector<std::string> markerNames(const std::vector<MarkedRange*>& ranges);

/// Keeps each text unless `same` holds between it and a text already kept; the first occurrence
/// wins and the input order is kept. An exception thrown by `same` ends the walk.
template <typename Predicate>
std::vector<std::string> uniqued(const std::vector<std::string>& texts, Predicate same) {
    std::vector<std::string> kept;
    for (const std::string& text : texts) {
        bool seen = false;
        for (const std::string& earlier : kept) {
            if (same(text, earlier)) {
                seen = true;
                break;
            }
        }
        if (!seen) {
            kept.push_back(text);
        }
    }
    return kept;
}

} // namespace marrowvale
