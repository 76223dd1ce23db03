#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace marrowvale {

/// The first two runs of printable characters in the bytes that a base64 text decodes to.
/// Title effects keep their font and text in an opaque record; the runs are taken as
/// (font, text). Printable means bytes 32 to 126, tab and line feed; a run counts only with at
/// least `minimumLength` characters. Strict base64 (standard alphabet, "=" padding, nothing
/// skipped). On invalid base64 or fewer than two runs both texts are empty, and when
/// `problem` is given it receives "Invalid base64" or "Too short".
std::pair<std::string, std::string> printableStrings(std::string_view base64,
                                                     std::int64_t minimumLength,
                                                     std::string* problem = nullptr);

} // namespace marrowvale
