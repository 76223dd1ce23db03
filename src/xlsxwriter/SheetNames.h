#pragma once

#include <string>
#include <string_view>
#include <vector>

struct lxw_worksheet;
struct lxw_chartsheet;

namespace marrowvale {

/// The names of a workbook's sheets, compared without regard to case in all of Unicode (full
/// case folding), as the spreadsheet application compares them. The library itself folds
/// ASCII only, so "Ärger" and "ÄRGER" would both be accepted and the workbook would not open.
class SheetNames {
public:
    /// A sheet known by name: exactly one of the two handles is set.
    struct Entry {
        std::u16string folded;
        lxw_worksheet* worksheet = nullptr;
        lxw_chartsheet* chartsheet = nullptr;
    };

    /// Whether a sheet of this name, in any case, is already known.
    bool contains(std::string_view name) const;

    /// The sheet of this name in any case, or nullptr.
    const Entry* find(std::string_view name) const;

    /// Records a worksheet under its name.
    void add(std::string_view name, lxw_worksheet* sheet);

    /// Records a chartsheet under its name.
    void add(std::string_view name, lxw_chartsheet* sheet);

    /// The case-folded form of a UTF-8 name used for comparison.
    static std::u16string folded(std::string_view name);

private:
    std::vector<Entry> entries_;
};

} // namespace marrowvale
