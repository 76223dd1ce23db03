#pragma once

#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeSource.h"

#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace dovovevozav {

class Timecode;

/// An integer type usable as a factor or divisor of timecode arithmetic (not bool).
template <class T>
concept IntegerFactor = std::integral<T> && !std::same_as<T, bool>;

/// The right-hand side of timecode addition and subtraction: another timecode, bare
/// components, or a source of any kind. It refers to a timecode operand without copying it,
/// so it is meant as a parameter type only.
class TimecodeOperand {
public:
    /// Another timecode; converted to the receiver's frame rate when the rates differ.
    TimecodeOperand(const Timecode& timecode) : value_(&timecode) {} // NOLINT: implicit
    /// Components, counted at the receiver's properties as they are.
    TimecodeOperand(const TimecodeComponents& components) : value_(components) {} // NOLINT
    /// A source applied at the receiver's properties.
    TimecodeOperand(const TimecodeSourceValue& source) : value_(source) {} // NOLINT
    /// Timecode text applied at the receiver's properties.
    TimecodeOperand(const FormattedTimecodeSourceValue& text) : value_(text) {} // NOLINT
    /// Timecode text applied at the receiver's properties.
    TimecodeOperand(std::string_view text) : value_(FormattedTimecodeSourceValue(text)) {} // NOLINT
    /// Timecode text applied at the receiver's properties.
    TimecodeOperand(const char* text) : value_(FormattedTimecodeSourceValue(text)) {} // NOLINT
    /// A source that cannot fail, applied at the receiver's properties.
    TimecodeOperand(const GuaranteedTimecodeSourceValue& source) : value_(source) {} // NOLINT
    /// A source that brings its own properties.
    TimecodeOperand(const RichTimecodeSourceValue& source) : value_(source) {} // NOLINT
    /// A source that brings its own properties and cannot fail.
    TimecodeOperand(const GuaranteedRichTimecodeSourceValue& source) : value_(source) {} // NOLINT

    /// Any other source kind, boxed on the way in.
    template <class Source>
    requires(TimecodeSource<Source> || GuaranteedTimecodeSource<Source> ||
             RichTimecodeSource<Source> || GuaranteedRichTimecodeSource<Source>) &&
        (!std::same_as<std::remove_cvref_t<Source>, TimecodeComponents>)
            TimecodeOperand(const Source& source)
        : value_(box(source)) {} // NOLINT

    using Value = std::variant<const Timecode*, TimecodeComponents, TimecodeSourceValue,
                               FormattedTimecodeSourceValue, GuaranteedTimecodeSourceValue,
                               RichTimecodeSourceValue, GuaranteedRichTimecodeSourceValue>;

    /// What the operand holds.
    const Value& value() const { return value_; }

private:
    template <class Source>
    static Value box(const Source& source) {
        if constexpr (TimecodeSource<Source>) {
            return TimecodeSourceValue(source);
        } else if constexpr (GuaranteedTimecodeSource<Source>) {
            return GuaranteedTimecodeSourceValue(source);
        } else if constexpr (RichTimecodeSource<Source>) {
            return RichTimecodeSourceValue(source);
        } else {
            return GuaranteedRichTimecodeSourceValue(source);
        }
    }

    Value value_;
};

} // namespace dovovevozav
