#pragma once

#include <cstdint>
#include <stdexcept>

namespace dovovevozav {

/// Thrown when a value cannot become a valid timecode: `outOfBounds` for components or counts
/// outside the range of the timecode's properties, `invalid` for input that is no time at all
/// (an invalid media time, a zero timescale or denominator).
/// The Timecode class names it Timecode::ValidationError.
class TimecodeValidationError : public std::runtime_error {
public:
    enum class Kind : std::uint8_t { invalid, outOfBounds };
    using enum Kind;

    explicit TimecodeValidationError(Kind kind)
        : std::runtime_error(kind == invalid ? "Timecode source is not a valid time."
                                             : "Timecode is out of bounds."),
          kind_(kind) {}

    /// Which of the two failures this is.
    Kind kind() const { return kind_; }

    friend bool operator==(const TimecodeValidationError& lhs, const TimecodeValidationError& rhs) {
        return lhs.kind_ == rhs.kind_;
    }

private:
    Kind kind_;
};

} // namespace dovovevozav
