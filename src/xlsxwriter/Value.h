#pragma once

#include <chrono>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace marrowvale {

/// A typed cell value: URL, comment, number, string, boolean, formula, date and time, or blank.
/// A number converts implicitly to a `number` value and a text to a `string` value, so a cell
/// write can take either directly.
class Value {
public:
    /// The kinds of value, in their fixed order.
    enum class Kind : std::uint8_t {
        url,
        comment,
        number,
        string,
        boolean,
        formula,
        datetime,
        blank
    };

    /// A point in time; written as a spreadsheet date serial (UTC, 1900 date system).
    using DateTime = std::chrono::system_clock::time_point;

    /// A blank cell.
    Value() noexcept = default;

    /// A number. Booleans are excluded so that `true` is not silently written as 1.
    template <typename T>
    requires std::is_arithmetic_v<T> &&(!std::same_as<T, bool>)Value(T number) noexcept
        : kind_(Kind::number), payload_(static_cast<double>(number)) {}

    Value(bool) = delete;

    /// A text.
    Value(std::string text) noexcept : kind_(Kind::string), payload_(std::move(text)) {}

    /// A text.
    Value(const char* text) : Value(std::string(text != nullptr ? text : "")) {}

    /// A text.
    Value(std::string_view text) : Value(std::string(text)) {}

    /// A hyperlink; the text is the URL's absolute form.
    static Value url(std::string address) { return {Kind::url, std::move(address)}; }
    /// A cell comment (a note attached to the cell).
    static Value comment(std::string text) { return {Kind::comment, std::move(text)}; }
    /// A number.
    static Value number(double number) noexcept { return Value(number); }
    /// A text.
    static Value string(std::string text) noexcept { return Value(std::move(text)); }
    /// A boolean.
    static Value boolean(bool flag) noexcept;
    /// A formula such as "=SUM(A1:A3)".
    static Value formula(std::string text) { return {Kind::formula, std::move(text)}; }
    /// A date and time.
    static Value datetime(DateTime time) noexcept;
    /// A blank cell.
    static Value blank() noexcept { return {}; }

    /// Which kind of value this is.
    Kind kind() const noexcept { return kind_; }

    /// The number of a `number` value; 0 for the other kinds.
    double numberValue() const noexcept;

    /// The text of a `url`, `comment`, `string` or `formula` value; empty for the other kinds.
    const std::string& text() const noexcept;

    /// The flag of a `boolean` value; false for the other kinds.
    bool flag() const noexcept;

    /// The time of a `datetime` value; the epoch for the other kinds.
    DateTime time() const noexcept;

    /// The spreadsheet serial of a time: days since 1899-12-30 in UTC, with the time of day as
    /// the fraction (1970-01-01 00:00 is 25569).
    static double serial(DateTime time) noexcept;

    bool operator==(const Value&) const = default;

private:
    using Payload = std::variant<std::monostate, double, bool, std::string, DateTime>;

    Value(Kind kind, std::string text) noexcept : kind_(kind), payload_(std::move(text)) {}
    Value(Kind kind, Payload payload) noexcept : kind_(kind), payload_(std::move(payload)) {}

    Kind kind_ = Kind::blank;
    Payload payload_;
};

} // namespace marrowvale
