#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovovevozav {

/// Options of the regular-expression helpers; combine with |.
namespace RegexOption {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t caseInsensitive = 1u << 0;
inline constexpr std::uint32_t allowCommentsAndWhitespace = 1u << 1;
inline constexpr std::uint32_t dotMatchesLineSeparators = 1u << 2;
inline constexpr std::uint32_t anchorsMatchLines = 1u << 3;
} // namespace RegexOption

/// For every match of the pattern in the UTF-8 text, in order: the whole match, then one
/// entry per capture group (nothing for a group that took no part). Empty for no match and
/// for a pattern that does not compile. The pattern uses ICU syntax.
std::vector<std::optional<std::string>>
regexCaptureGroups(std::string_view text, std::string_view pattern, std::uint32_t options = 0);

/// The whole-match texts of every match, in order; empty for a pattern that does not compile.
std::vector<std::string> regexMatches(std::string_view text, std::string_view pattern,
                                      std::uint32_t options = 0);

/// The text with every match replaced by the template ("$1" names a group); nothing for a
/// pattern or template that does not compile.
std::optional<std::string> regexReplacing(std::string_view text, std::string_view pattern,
                                          std::string_view replacementTemplate,
                                          std::uint32_t options = 0);

} // namespace dovovevozav
