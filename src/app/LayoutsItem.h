#pragma once

#include "app/LayoutsFileError.h"
#include "app/ReportColumns.h"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

/// One saved report layout: which of the 25 optional columns the clip sheet carries and the
/// thumbnail width. Fields are named after the settings-window controls they are shown in;
/// their JSON keys in "Layouts.json" are the same names.
struct LayoutsItem {
    std::string id; ///< Upper-case UUID, 8-4-4-4-12 hexadecimal digits.
    std::string name;
    bool rowNumbersColumnCheckbox = false;
    bool thumbnailsColumnCheckbox = false;
    std::string thumbnailWidthPopup = "40"; ///< Width in pixels as decimal digits.
    bool keepThumbnailsCheckbox = false;
    bool trackColumnCheckbox = false;
    bool enabledColumnCheckbox = false;
    bool inColumnCheckbox = false;
    bool outColumnCheckbox = false;
    bool durationColumnCheckbox = false;
    bool srcReelColumnCheckbox = false;
    bool srcInColumnCheckbox = false;
    bool srcOutColumnCheckbox = false;
    bool srcDurationColumnCheckbox = false;
    bool descriptionColumnCheckbox = false;
    bool sceneColumnCheckbox = false;
    bool shottakeColumnCheckbox = false;
    bool lognoteColumnCheckbox = false;
    bool camerarollColumnCheckbox = false;
    bool dailyrollColumnCheckbox = false;
    bool labrollColumnCheckbox = false;
    bool labelsColumnsCheckbox = false;
    bool framerateColumnCheckbox = false;
    bool frameSizeColumnCheckbox = false;
    bool srcFileNameColumnCheckbox = false;
    bool srcFilePathColumnCheckbox = false;
    bool id3MetadataColumnCheckbox = false;

    /// A new layout: fresh random id, the given name, every column off, width "40".
    static LayoutsItem makeNew(std::string name);

    /// The flag shown in the given column checkbox.
    bool& flag(ColumnCheckbox checkbox);
    /// The flag shown in the given column checkbox.
    bool flag(ColumnCheckbox checkbox) const;

    /// The layout as a JSON object with all 28 keys in declaration order.
    nlohmann::ordered_json toJson() const;

    /// The layout of a JSON object that has all 28 keys with the right types (further keys are
    /// ignored); throws LayoutsFileError with the reason otherwise.
    static LayoutsItem fromJson(const nlohmann::json& object);

    /// Short text form for diagnostics.
    std::string debugDescription() const;

    bool operator==(const LayoutsItem&) const = default;
};

/// The layouts as compact JSON: an array of objects, "[]" when empty.
std::string encodeLayouts(const std::vector<LayoutsItem>& layouts);

/// The layouts of a "Layouts.json" text; throws LayoutsFileError with the reason when the text
/// is not a JSON array or any element lacks a key or has one of the wrong type (one bad layout
/// rejects the whole file).
std::vector<LayoutsItem> decodeLayouts(std::string_view json);

} // namespace marrowvale
