#pragma once

#include "model/TextOrder.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace marrowvale {

/// Direction of a sort.
enum class SortOrder { forward, reverse };

/// How a text property is compared in a sort.
enum class TextComparison {
    standard,         ///< code points after NFC: case-sensitive, locale-independent
    localizedStandard ///< as a file browser lists names: case ignored, digits as numbers
};

/// One sort key of a fetch: a property of T reached through a member pointer, or a comparison.
template <class T>
class SortDescriptor {
public:
    /// Three-way comparison: negative, 0 or positive as the first sorts before, with or after.
    using Comparison = std::function<int(const T&, const T&)>;

    /// Sorts by a text property, e.g. `SortDescriptor<EventBin>(&EventBin::name)`.
    SortDescriptor(std::string T::*key, SortOrder order = SortOrder::forward,
                   TextComparison comparison = TextComparison::standard)
        : order_(order) {
        if (comparison == TextComparison::localizedStandard) {
            auto comparator = std::make_shared<const LocalizedStandardComparator>();
            compare_ = [key, comparator](const T& a, const T& b) {
                return (*comparator)(a.*key, b.*key);
            };
        } else {
            compare_ = [key](const T& a, const T& b) {
                return compareStandardText(a.*key, b.*key);
            };
        }
    }

    /// Sorts by a numeric or Boolean property; values that are not a number compare as equal to
    /// everything.
    template <class M>
    requires std::is_arithmetic_v<M> SortDescriptor(M T::*key, SortOrder order = SortOrder::forward)
        : compare_([key](const T& a, const T& b) {
              return (a.*key < b.*key) ? -1 : ((b.*key < a.*key) ? 1 : 0);
          }),
          order_(order) {}

    /// Sorts by a three-way comparison of the caller's.
    explicit SortDescriptor(Comparison compare, SortOrder order = SortOrder::forward)
        : compare_(std::move(compare)), order_(order) {}

    /// Negative, 0 or positive as `a` sorts before, with or after `b` in this sort's direction.
    int compare(const T& a, const T& b) const {
        const int result = compare_(a, b);
        return order_ == SortOrder::forward ? result : -result;
    }

private:
    Comparison compare_;
    SortOrder order_;
};

/// What a fetch returns: the objects of T that match the predicate (all when none is given),
/// sorted by the sort descriptors in turn (store order when none is given, and for ties), at
/// most `fetchLimit` of them.
template <class T>
struct FetchDescriptor {
    std::function<bool(const T&)> predicate;
    std::vector<SortDescriptor<T>> sortBy;
    std::optional<std::size_t> fetchLimit;
};

/// A predicate matching the objects whose property `key` equals `value` exactly, e.g.
/// `propertyEquals(&Composition::name, title)`.
template <class T, class M, class V>
std::function<bool(const T&)> propertyEquals(M T::*key, V value) {
    return [key, value = M(std::move(value))](const T& object) { return object.*key == value; };
}

} // namespace marrowvale
