#pragma once

#include <initializer_list>
#include <set>
#include <string_view>

namespace dovovevozav {

/// A set of Unicode scalars, used to test what text holds.
class CharacterSet {
public:
    /// The empty set.
    CharacterSet() = default;
    /// Every scalar of every given UTF-8 text.
    explicit CharacterSet(std::initializer_list<std::string_view> strings);

    /// True when the scalar is in the set.
    bool contains(char32_t scalar) const { return scalars_.count(scalar) != 0; }
    /// Number of scalars in the set.
    std::size_t size() const { return scalars_.size(); }

    /// The union with another set.
    CharacterSet united(const CharacterSet& other) const;
    /// Adds another set's scalars.
    void formUnion(const CharacterSet& other);
    /// This set without the other set's scalars.
    CharacterSet subtracting(const CharacterSet& other) const;
    /// Removes the other set's scalars.
    void subtract(const CharacterSet& other);

    friend bool operator==(const CharacterSet&, const CharacterSet&) = default;

private:
    std::set<char32_t> scalars_;
};

/// True when every scalar of the UTF-8 text is in the set (true for empty text). Ill-formed
/// UTF-8 counts as U+FFFD.
bool allScalars(std::string_view text, const CharacterSet& set);

} // namespace dovovevozav
