#pragma once

#include <stdexcept>

namespace dovovevozav {

/// Thrown when a text is no timecode or feet+frames text (its single case is "malformed").
/// The Timecode class names it Timecode::StringParseError.
class TimecodeStringParseError : public std::runtime_error {
public:
    TimecodeStringParseError() : std::runtime_error("Timecode text is malformed.") {}

    /// Every parse error is the same case, so all are equal.
    friend bool operator==(const TimecodeStringParseError&, const TimecodeStringParseError&) {
        return true;
    }
};

} // namespace dovovevozav
