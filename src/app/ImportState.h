#pragma once

#include "app/ColumnSetKind.h"
#include "app/InputType.h"

namespace marrowvale {

/// What the last open and import leave for the report run: the input type the reader set and
/// the report's column set, which the open step derives from the file's extension.
struct ImportState {
    /// Set by the reader that ran; kept from the previous import when no reader ran.
    InputType inputType = InputType::null;
    /// `xmeml` after opening an "xml" file, `otio` after an "otio" file.
    ColumnSetKind columnSetKind = ColumnSetKind::none;

    bool operator==(const ImportState&) const = default;
};

} // namespace marrowvale
