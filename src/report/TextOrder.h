#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// The sort key of a text in text order: its canonical (NFC) form in UTF-8, whose byte order is
/// code point order. Case-sensitive and locale-independent: "Zebra" sorts before "apple".
std::string textOrderKey(std::string_view utf8);

/// Whether `a` comes before `b` in text order.
bool textOrderLess(std::string_view a, std::string_view b);

/// The texts sorted stably in text order; canonically equivalent texts keep their input order.
std::vector<std::string> sortedTexts(std::vector<std::string> texts);

} // namespace marrowvale
