#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace marrowvale::otio {

/// A free-form JSON value of an OTIO document, held in the kind it was written in: a media
/// reference's image bounds, a key frame's value, a Resolve parameter's values, the entries of a
/// Resolve generator's parameters and a Premiere parameter's start value. Decoding never fails on
/// the kind. Numbers written without a fraction or exponent that fit 64 bits are integers; every
/// other number, integers beyond 64 bits included, is a real (a double).
class AnyCodable {
public:
    enum class Kind : std::uint8_t { null, flag, integer, real, text, list, dictionary };
    using List = std::vector<AnyCodable>;
    /// Members by key, in the order of their UTF-8 bytes (the order of Unicode scalar values).
    using Dictionary = std::map<std::string, AnyCodable, std::less<>>;

    /// JSON null.
    AnyCodable() = default;
    explicit AnyCodable(bool flag) : value_(flag) {}
    template <std::integral Integer>
    requires(!std::same_as<Integer, bool>) explicit AnyCodable(Integer integer)
        : value_(static_cast<std::int64_t>(integer)) {}
    explicit AnyCodable(double real) : value_(real) {}
    explicit AnyCodable(std::string text) : value_(std::move(text)) {}
    explicit AnyCodable(const char* text) : value_(std::string(text)) {}
    explicit AnyCodable(List list) : value_(std::move(list)) {}
    explicit AnyCodable(Dictionary dictionary) : value_(std::move(dictionary)) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isNull() const { return kind() == Kind::null; }
    /// The held value when it is of that kind; none (or null) otherwise.
    std::optional<bool> flag() const;
    std::optional<std::int64_t> integer() const;
    std::optional<double> real() const;
    const std::string* text() const { return std::get_if<std::string>(&value_); }
    const List* list() const { return std::get_if<List>(&value_); }
    const Dictionary* dictionary() const { return std::get_if<Dictionary>(&value_); }

    /// The display text of the value, which the report shows: text unchanged; integers in
    /// decimal; reals in their shortest form that reads back, whole values without a fraction
    /// ("2"); "true" or "false"; "null"; a list as "[" + its elements' debug texts joined by
    /// ", " + "]"; a dictionary as "[(key: "a", value: <debug text>), ...]" sorted by key.
    std::string stringValue() const;
    /// The display texts of a dictionary's members: text unchanged, everything else as its held
    /// value's debug text (whole reals keep ".0": "2.0"). Empty for any other kind.
    std::map<std::string, std::string> stringDictionary() const;
    /// The value as it shows inside a list or dictionary text: `Marrowvale.AnyCodable(value: 1)`.
    std::string debugDescription() const;

    bool operator==(const AnyCodable&) const = default;

private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, List, Dictionary> value_;
};

} // namespace marrowvale::otio
