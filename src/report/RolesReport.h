#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>

namespace marrowvale {

class ModelContext;
struct ReportContext;
struct ReportRequest;

/// The titles a roles report keeps from its role sheets, lower case: its fixed sheets' titles and
/// "Selected roles".
inline constexpr std::array<std::string_view, 7> reservedSheetTitles = {
    "selected roles",       "keywords",   "markers", "titles & generators", "video & audio effects",
    "speed change effects", "transitions"};

/// The sheet titles a roles report has taken, compared as the workbook compares sheet names:
/// without regard to letter case.
class UsedSheetTitles {
public:
    /// Holds the reserved titles.
    UsedSheetTitles();

    /// Whether `title` is taken, in any letter case.
    bool contains(std::string_view title) const;

    /// Takes `title`.
    void add(std::string_view title);

private:
    std::set<std::u16string> folded_;
};

/// The title of the sheet of role `key`: its first 31 characters (cut between characters, never
/// inside one), with ':', '?' and '*' removed, '\' and '/' turned into '|', '[' and ']' into
/// '(' and ')', and apostrophes at either end removed; "All Clips" when nothing is left. A title
/// already taken is cut shorter and numbered 1, 2, ... 9, 10, 11 ... until it is free, so the
/// title is always one the workbook accepts. The caller takes the title.
std::string roleSheetTitle(std::string_view key, const UsedSheetTitles& used);

/// Writes the roles report of a sequence (FCPXML input): a clip sheet of its clips, one clip
/// sheet per video role and per audio role and subrole, then the keywords, markers, titles and
/// generators, effects, speed change and transitions sheets, even when empty. False, with no
/// sheet written, when no sequence has the requested title. "Bin Clips" reports the bins'
/// master clips.
bool writeRolesReport(ReportContext& context, const ModelContext& store,
                      const ReportRequest& request);

} // namespace marrowvale
