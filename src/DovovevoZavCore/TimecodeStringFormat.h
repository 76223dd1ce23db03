#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace dovovevozav {

/// One option of the timecode text form.
/// The Timecode class names it Timecode::StringFormatOption.
class TimecodeStringFormatOption {
public:
    enum class Value : std::uint8_t { alwaysShowDays, showSubFrames, filenameCompatible };
    using enum Value;

    /// Implicit from a case.
    constexpr TimecodeStringFormatOption(Value value) : value_(value) {}

    /// The case, for switch statements.
    constexpr Value value() const { return value_; }

    /// The three options in order.
    static constexpr std::array<TimecodeStringFormatOption, 3> allCases() {
        return {alwaysShowDays, showSubFrames, filenameCompatible};
    }

    /// The case name, as the option is stored: "alwaysShowDays", "showSubFrames",
    /// "filenameCompatible".
    constexpr std::string_view name() const {
        switch (value_) {
        case showSubFrames:
            return "showSubFrames";
        case filenameCompatible:
            return "filenameCompatible";
        case alwaysShowDays:
            break;
        }
        return "alwaysShowDays";
    }

    /// The option whose case name equals the text exactly; nothing otherwise.
    static constexpr std::optional<TimecodeStringFormatOption> fromName(std::string_view text) {
        for (const TimecodeStringFormatOption option : allCases()) {
            if (option.name() == text) {
                return option;
            }
        }
        return std::nullopt;
    }

    friend constexpr bool operator==(TimecodeStringFormatOption,
                                     TimecodeStringFormatOption) = default;

private:
    Value value_;
};

/// A set of text-form options; the empty set is the default format.
/// The Timecode class names it Timecode::StringFormat.
class TimecodeStringFormat {
public:
    /// The empty set.
    constexpr TimecodeStringFormat() = default;
    /// A set holding the given options.
    constexpr TimecodeStringFormat(std::initializer_list<TimecodeStringFormatOption> options) {
        for (const TimecodeStringFormatOption option : options) {
            insert(option);
        }
    }

    /// True when the option is in the set.
    constexpr bool contains(TimecodeStringFormatOption option) const {
        return (bits_ & bit(option)) != 0;
    }
    /// Adds the option.
    constexpr void insert(TimecodeStringFormatOption option) { bits_ |= bit(option); }
    /// Removes the option.
    constexpr void erase(TimecodeStringFormatOption option) {
        bits_ &= static_cast<std::uint8_t>(~bit(option));
    }
    /// True when no option is set.
    constexpr bool empty() const { return bits_ == 0; }

    /// Whether days are shown even when 0.
    constexpr bool alwaysShowDays() const {
        return contains(TimecodeStringFormatOption::alwaysShowDays);
    }
    /// Inserts (true) or removes (false) alwaysShowDays.
    constexpr void setAlwaysShowDays(bool on) {
        set(TimecodeStringFormatOption::alwaysShowDays, on);
    }
    /// Whether subframes are shown.
    constexpr bool showSubFrames() const {
        return contains(TimecodeStringFormatOption::showSubFrames);
    }
    /// Inserts (true) or removes (false) showSubFrames.
    constexpr void setShowSubFrames(bool on) { set(TimecodeStringFormatOption::showSubFrames, on); }
    /// Whether separators and spaces are replaced by "-" for use in file names.
    constexpr bool filenameCompatible() const {
        return contains(TimecodeStringFormatOption::filenameCompatible);
    }
    /// Inserts (true) or removes (false) filenameCompatible.
    constexpr void setFilenameCompatible(bool on) {
        set(TimecodeStringFormatOption::filenameCompatible, on);
    }

    friend constexpr bool operator==(TimecodeStringFormat, TimecodeStringFormat) = default;

private:
    static constexpr std::uint8_t bit(TimecodeStringFormatOption option) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(option.value()));
    }
    constexpr void set(TimecodeStringFormatOption option, bool on) {
        if (on) {
            insert(option);
        } else {
            erase(option);
        }
    }

    std::uint8_t bits_ = 0;
};

} // namespace dovovevozav
