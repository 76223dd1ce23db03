#pragma once

#include "xmlquery/XMLElement.h"

#include <concepts>
#include <optional>
#include <string_view>

namespace marrowvale {

/// What documents and elements both answer: node sets by XPath (failures swallowed or thrown),
/// the first node by XPath, node sets and first node by CSS selector, and scalar XPath results.
template <class T>
concept Queryable = requires(const T& queryable, std::string_view text) {
    { queryable.xpath(text) } -> std::same_as<NodeSet>;
    { queryable.tryXPath(text) } -> std::same_as<NodeSet>;
    { queryable.firstChildByXPath(text) } -> std::same_as<std::optional<XMLElement>>;
    { queryable.css(text) } -> std::same_as<NodeSet>;
    { queryable.firstChildByCSS(text) } -> std::same_as<std::optional<XMLElement>>;
    { queryable.eval(text) } -> std::same_as<std::optional<XPathFunctionResult>>;
};

} // namespace marrowvale
