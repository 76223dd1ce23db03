#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/StyledText.h"

#include <QBrush>
#include <QTextCharFormat>
#include <optional>

namespace dovovevozav {

// A timecode as styled text, one run per component and per separator, in the order
// [days " "] hours ":" minutes ":" seconds ":"|";" frames ["." subframes]. Days show when they
// are not 0 or the format always shows them; subframes only with showSubFrames. Days are
// unpadded, hours to seconds have two digits, frames two (three at the 119.88 and 120 rates),
// subframes two (one for quarter frames); values with more digits show them all. The frames
// separator is ";" at drop-frame rates. Components outside their allowed range are invalid.
// Neither form fails.

/// The attribute form, for text controls: a character format (Qt's attribute set) per role.
/// Every piece starts from `defaultFormat`; separators take `separatorFormat` instead when one
/// is given; an invalid component has `invalidFormat` merged over it (the invalid value wins
/// where both set a property); valid subframes have `subFramesFormat` merged over them.
/// filenameCompatible does not change the separators here.
StyledText timecodeAttributedText(const Timecode& timecode, TimecodeStringFormat format,
                                  const std::optional<QTextCharFormat>& defaultFormat,
                                  const std::optional<QTextCharFormat>& separatorFormat,
                                  const std::optional<QTextCharFormat>& subFramesFormat,
                                  const std::optional<QTextCharFormat>& invalidFormat);

/// The attribute form with no separator and no subframes format.
StyledText timecodeAttributedText(const Timecode& timecode, TimecodeStringFormat format,
                                  const std::optional<QTextCharFormat>& invalidFormat,
                                  const std::optional<QTextCharFormat>& defaultFormat);

/// The brush form, for views that style only the foreground: separators take
/// `separatorStyle`, invalid components `invalidStyle`, valid subframes `subFramesStyle`;
/// valid digits carry no foreground and so take the style of whatever draws them. A missing
/// brush sets nothing. With filenameCompatible the separators between hours, minutes, seconds
/// and frames become "-" (the days separator stays " ", the subframes separator ".").
StyledText timecodeStyledText(const Timecode& timecode, TimecodeStringFormat format,
                              const std::optional<QBrush>& separatorStyle,
                              const std::optional<QBrush>& subFramesStyle,
                              const std::optional<QBrush>& invalidStyle);

} // namespace dovovevozav
