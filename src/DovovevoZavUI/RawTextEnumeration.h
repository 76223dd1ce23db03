#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace dovovevozav {

/// The raw texts of a plain enumeration whose cases count up from 0, one per case in
/// declaration order. Specialise it with `static constexpr std::array<std::string_view, N>
/// texts` to give the enumeration rawValue(), fromRawValue() and allCases().
template <class Enum>
struct RawTexts;

/// The raw text of a case: its name, spelled as declared.
template <class Enum>
constexpr std::string_view rawValue(Enum value) {
    return RawTexts<Enum>::texts[static_cast<std::size_t>(value)];
}

/// The case whose raw text is exactly `text`; none for any other text ("Wrap" is not "wrap").
template <class Enum>
constexpr std::optional<Enum> fromRawValue(std::string_view text) {
    for (std::size_t index = 0; index < RawTexts<Enum>::texts.size(); ++index) {
        if (RawTexts<Enum>::texts[index] == text) {
            return static_cast<Enum>(index);
        }
    }
    return std::nullopt;
}

/// Every case in declaration order.
template <class Enum>
constexpr auto allCases() {
    std::array<Enum, RawTexts<Enum>::texts.size()> cases{};
    for (std::size_t index = 0; index < cases.size(); ++index) {
        cases[index] = static_cast<Enum>(index);
    }
    return cases;
}

} // namespace dovovevozav
