#pragma once

#include "app/InputType.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace marrowvale {

/// What the last open and import leave for the report run: the input type the reader set and
/// the report's column-set kind, which the open step derives from the file's extension.
struct ImportState {
    /// Set by the reader that ran; kept from the previous import when no reader ran.
    InputType inputType = InputType::null;
    /// 0 to 6: 4 after opening an "xml" file, 1 after an "otio" file; the report writes 3.
    std::uint8_t reportKind = 0;

    bool operator==(const ImportState&) const = default;
};

/// The column-set kind an extension selects: 4 for "xml", 1 for "otio" (exact, case-sensitive);
/// none for any other extension, which leaves the previous kind in place.
std::optional<std::uint8_t> reportKindForExtension(std::string_view extension);

} // namespace marrowvale
