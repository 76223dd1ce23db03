#pragma once

#include <string>
#include <string_view>

namespace marrowvale {

/// Translates a comma-separated list of CSS selectors into one XPath expression relative to the
/// context node, which itself never matches. Understood: type and universal selectors, #id,
/// .class and [attribute] (presence only), and the combinators " ", ">", "+" and "~" written as
/// tokens of their own. Never fails; what it does not understand gives XPath that selects
/// nothing or is rejected, and an empty list gives "".
std::string cssToXPath(std::string_view selectors);

} // namespace marrowvale
