#pragma once

#include <cstddef>
#include <initializer_list>
#include <set>
#include <string_view>

namespace dovovevozav {

/// A set of Unicode scalars, used to test what a text is made of.
class CharacterSet {
public:
    /// The empty set.
    CharacterSet() = default;
    /// Every scalar of every given UTF-8 text; an ill-formed sequence counts as U+FFFD, as it
    /// reads when decoded.
    explicit CharacterSet(std::initializer_list<std::string_view> strings);

    /// True when the scalar is in the set.
    bool contains(char32_t scalar) const { return scalars_.contains(scalar); }
    /// Number of scalars in the set.
    std::size_t size() const { return scalars_.size(); }

    /// The scalars of this set and of the other.
    CharacterSet united(const CharacterSet& other) const;
    /// Adds the other set's scalars to this one.
    void formUnion(const CharacterSet& other);
    /// The scalars of this set that are not in the other.
    CharacterSet subtracting(const CharacterSet& other) const;
    /// Removes the other set's scalars from this one.
    void subtract(const CharacterSet& other);

    friend bool operator==(const CharacterSet&, const CharacterSet&) = default;

private:
    std::set<char32_t> scalars_;
};

/// True when every scalar of the UTF-8 text is in the set, and so for the empty text. An
/// ill-formed sequence counts as U+FFFD.
bool allScalars(std::string_view text, const CharacterSet& set);

} // namespace dovovevozav
