#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"
#include "DovovevoZavUI/TimecodeFieldPolicies.h"

#include <optional>
#include <variant>

namespace dovovevozav {

/// The decision on a paste: the timecode to store (equal as timecodes are equal) or the
/// refused action to report.
using TimecodeFieldPasteValidationResult =
    std::variant<Timecode, TimecodeFieldInputRejectionFeedback::UserAction>;

/// The timecode a field at `localProperties` may take from a pasted one, or none when the
/// paste is refused. The result always has the pasted components; the policies decide its
/// properties and whether it is taken:
/// - preserveLocalProperties refuses another frame rate; under allowInvalid the result takes
///   the local properties, under enforceValid it keeps the pasted ones (only the subframes base
///   and upper limit can differ) and its components must be valid at them;
/// - allowNewProperties keeps the pasted properties; discardProperties takes the local ones;
/// - enforceValid refuses components out of range at the result's properties;
/// - every input style but unbounded refuses components with more digits than the editors
///   show, counted at the pasted rate and base under allowNewProperties, else the local ones.
std::optional<Timecode> validatePastedTimecode(const Timecode& pasted,
                                               const TimecodeProperties& localProperties,
                                               TimecodeFieldPastePolicy pastePolicy,
                                               TimecodeFieldValidationPolicy validationPolicy,
                                               TimecodeFieldInputStyle inputStyle);

} // namespace dovovevozav
