#pragma once

#include "DovovevoZavCore/Timecode.h"

#include <optional>
#include <string>
#include <string_view>

namespace dovovevozav {

// The rules of the timecode text formatter without any toolkit: how a typed text is checked
// and normalised, and how a text is shown. TimecodeTextFormatter and TimecodeTextValidator put
// Qt around them. Texts are UTF-8.

/// What the typing rules make of a proposed text.
struct TimecodeTypingCheck {
    enum class Outcome {
        /// Take the text as typed.
        accepted,
        /// Take `replacement` instead (same length; the selection stays where it was).
        replaced,
        /// Keep the text from before the keystroke.
        refused,
    };
    Outcome outcome = Outcome::accepted;
    /// The normalised text, for `replaced`.
    std::string replacement;
    /// "Invalid characters." for text with a character that no timecode has; otherwise empty.
    std::string errorDescription;
};

/// Checks a text as it is typed. Without a frame rate or an upper limit anything goes.
/// Otherwise only the digits and ":", ";", ".", " " are allowed; "." and ";" among the first
/// three separators become ":" (";" before the frames at drop-frame rates), a typed ":" is
/// kept; a fourth separator, a second ".", a "." without showSubFrames, and a days " " other
/// than right after the first digits under the 100-day limit are refused.
TimecodeTypingCheck checkTimecodeTyping(std::string_view proposed,
                                        std::optional<TimecodeFrameRate> frameRate,
                                        std::optional<TimecodeUpperLimit> upperLimit,
                                        TimecodeStringFormat format);

/// The text a control shows for a text value: the canonical timecode text in the format when
/// the properties are known and the text parses (out-of-range values kept as typed); the text
/// unchanged otherwise.
std::string displayTimecodeText(std::string_view text,
                                const std::optional<TimecodeProperties>& properties,
                                TimecodeStringFormat format);

/// The timecode a text stands for at the properties, components kept as typed; none when the
/// text does not parse.
std::optional<Timecode> parseTimecodeText(std::string_view text,
                                          const TimecodeProperties& properties);

} // namespace dovovevozav
