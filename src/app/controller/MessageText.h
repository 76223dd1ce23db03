#pragma once

#include <string>
#include <string_view>

namespace marrowvale {

/// `text` as valid UTF-8, for what the user is shown: each ill-formed byte sequence (a lone
/// byte of a Latin-1 file name, a cut character) becomes one U+FFFD replacement character.
std::string validUTF8(std::string_view text);

} // namespace marrowvale
