#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// The sort key of a text in standard text order: its canonical (NFC) form in UTF-8, whose byte
/// order is code point order. Sort by keys made once where many texts are compared.
std::string textOrderKey(std::string_view text);

/// Standard text order: compares the Unicode scalar values of the two texts after canonical (NFC)
/// normalisation; case-sensitive and locale-independent, so "B" sorts before "a" and canonically
/// equivalent texts are equal. Returns a negative number, 0 or a positive number.
int compareStandardText(std::string_view lhs, std::string_view rhs);

/// The texts sorted stably in standard text order; canonically equivalent texts keep their input
/// order.
std::vector<std::string> sortedTexts(std::vector<std::string> texts);

/// The order a file browser shows names in, for the user's locale: letter case ignored, digits
/// compared as numbers ("Bin 9" before "Bin 10"); texts that differ only in case still get a fixed
/// order (the standard text order). Holds its collator, so make one per sort, not per comparison.
class LocalizedStandardComparator {
public:
    LocalizedStandardComparator();
    ~LocalizedStandardComparator();
    LocalizedStandardComparator(LocalizedStandardComparator&&) noexcept;
    LocalizedStandardComparator& operator=(LocalizedStandardComparator&&) noexcept;

    /// Negative, 0 or positive as `lhs` sorts before, with or after `rhs`.
    int operator()(std::string_view lhs, std::string_view rhs) const;

private:
    struct Collation;
    std::unique_ptr<const Collation> collation_;
};

} // namespace marrowvale
