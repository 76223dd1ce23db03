#pragma once

#include "xmlquery/ChildElementRange.h"
#include "xmlquery/DateParser.h"
#include "xmlquery/NodeSet.h"
#include "xmlquery/XMLNode.h"
#include "xmlquery/XPathFunctionResult.h"

#include <cstddef>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

class XPathExpression;

/// A handle on an element (or, where navigation or a query reaches one, on any other node) with
/// its tag, attributes, children and the XPath and CSS queries relative to it.
class XMLElement : public XMLNode {
public:
    using XMLNode::XMLNode;

    /// The prefix of the element's namespace; nothing without namespace or prefix.
    std::optional<std::string> namespacePrefix() const;

    /// The element's local name (without prefix); nothing when the node has no name.
    std::optional<std::string> tag() const;

    /// All attributes by name, in name order; empty for an element without attributes.
    std::map<std::string, std::string> attributes() const;

    /// The value of the named attribute (any namespace), or of the attribute in the given
    /// namespace URI; nothing when it is missing.
    std::optional<std::string> attr(std::string_view name,
                                    std::optional<std::string_view> namespaceURI = {}) const;

    /// attr(name) without namespace.
    std::optional<std::string> operator[](std::string_view name) const { return attr(name); }

    /// The element children, in document order.
    std::vector<XMLElement> children() const;

    /// The child nodes whose kind is one of the given kinds, in document order.
    std::vector<XMLNode> childNodes(std::initializer_list<NodeType> types) const;

    /// The first child element whose name equals the tag ignoring ASCII case and, when a prefix
    /// is given, whose namespace prefix equals it ignoring ASCII case.
    std::optional<XMLElement>
    firstChild(std::string_view tag, std::optional<std::string_view> namespacePrefix = {}) const;

    /// Every child element matching as in firstChild(tag), in document order.
    std::vector<XMLElement> children(std::string_view tag,
                                     std::optional<std::string_view> namespacePrefix = {}) const;

    /// True when the text content is "".
    bool isBlank() const { return stringValue().empty(); }

    /// The text content read with the document's number parser; nothing when not a number.
    std::optional<double> numberValue() const;

    /// The text content read with the document's date parser; nothing when not a date.
    std::optional<DateParser::Instant> dateValue() const;

    /// The element child at the position in children(); throws std::out_of_range past the end.
    XMLElement childAt(std::size_t index) const;

    // Direct walking, without XPath. Names match exactly and only elements without namespace,
    // like an XPath step "name" does.

    /// The first child element with this name; the same node as firstChildByXPath(name).
    std::optional<XMLElement> childElement(std::string_view name) const;

    /// All child elements, in document order, without building a list.
    ChildElementRange childElements() const;

    /// The child elements with this name, in document order, without building a list.
    ChildElementRange childElements(std::string_view name) const;

    /// The text content of the first child element with this name; nothing without one.
    std::optional<std::string> childText(std::string_view name) const;

    // Queries with this node as context node.

    /// XPath query; the empty set when the expression fails.
    NodeSet xpath(std::string_view expression) const;

    /// XPath query with an expression compiled once.
    NodeSet xpath(const XPathExpression& expression) const;

    /// XPath query that throws XMLError when the expression fails.
    NodeSet tryXPath(std::string_view expression) const;

    /// XPath query with a compiled expression that throws XMLError when evaluation fails.
    NodeSet tryXPath(const XPathExpression& expression) const;

    /// The first node of xpath(); nothing when there is none.
    std::optional<XMLElement> firstChildByXPath(std::string_view expression) const;

    /// The first node of xpath() with a compiled expression.
    std::optional<XMLElement> firstChildByXPath(const XPathExpression& expression) const;

    /// CSS selector query (descendants of this node only); the empty set when it fails.
    NodeSet css(std::string_view selector) const;

    /// The first node of css(); nothing when there is none.
    std::optional<XMLElement> firstChildByCSS(std::string_view selector) const;

    /// A scalar XPath result (number, text, boolean); nothing when the expression fails.
    std::optional<XPathFunctionResult> eval(std::string_view expression) const;

    /// eval() with a compiled expression.
    std::optional<XPathFunctionResult> eval(const XPathExpression& expression) const;

private:
    XPathObjectPtr evaluate(std::string_view expression) const;
    XPathObjectPtr evaluate(const XPathExpression& expression) const;
};

} // namespace marrowvale
