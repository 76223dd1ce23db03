#include "xmlquery/XMLElement.h"

#include "xmlquery/CssToXPath.h"
#include "xmlquery/LibXmlText.h"
#include "xmlquery/NumberParser.h"
#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLError.h"
#include "xmlquery/XPathContext.h"
#include "xmlquery/XPathExpression.h"

#include <algorithm>
#include <stdexcept>

namespace marrowvale {
namespace {

bool equalIgnoringCase(const xmlChar* name, std::string_view wanted) {
    const std::string text(wanted);
    return xmlStrcasecmp(name, reinterpret_cast<const xmlChar*>(text.c_str())) == 0;
}

/// Tag (and, when given, namespace prefix) match ignoring ASCII case, for element children.
bool matchesTag(const xmlNode* node, std::string_view tag,
                const std::optional<std::string_view>& namespacePrefix) {
    if (node->type != XML_ELEMENT_NODE || node->name == nullptr ||
        !equalIgnoringCase(node->name, tag)) {
        return false;
    }
    if (!namespacePrefix) {
        return true;
    }
    return node->ns != nullptr && node->ns->prefix != nullptr &&
           equalIgnoringCase(node->ns->prefix, *namespacePrefix);
}

} // namespace

std::optional<std::string> XMLElement::namespacePrefix() const {
    // Only element and attribute nodes have a namespace field.
    if ((node_->type != XML_ELEMENT_NODE && node_->type != XML_ATTRIBUTE_NODE) ||
        node_->ns == nullptr) {
        return std::nullopt;
    }
    return textFromLibXml(node_->ns->prefix);
}

std::optional<std::string> XMLElement::tag() const {
    return textFromLibXml(node_->name);
}

std::map<std::string, std::string> XMLElement::attributes() const {
    std::map<std::string, std::string> result;
    if (node_->type != XML_ELEMENT_NODE) {
        return result;
    }
    for (const xmlAttr* attribute = node_->properties; attribute != nullptr;
         attribute = attribute->next) {
        auto name = textFromLibXml(attribute->name);
        if (!name) {
            continue;
        }
        if (auto value = attr(*name)) {
            result.insert_or_assign(std::move(*name), std::move(*value));
        }
    }
    return result;
}

std::optional<std::string> XMLElement::attr(std::string_view name,
                                            std::optional<std::string_view> namespaceURI) const {
    if (node_->type != XML_ELEMENT_NODE) {
        return std::nullopt;
    }
    const std::string attributeName(name);
    const auto* xmlName = reinterpret_cast<const xmlChar*>(attributeName.c_str());
    xmlChar* value = nullptr;
    if (namespaceURI) {
        const std::string uri(*namespaceURI);
        value = xmlGetNsProp(node_, xmlName, reinterpret_cast<const xmlChar*>(uri.c_str()));
    } else {
        value = xmlGetProp(node_, xmlName);
    }
    const XmlCharPtr owned(value);
    return textFromLibXml(owned.get());
}

std::vector<XMLElement> XMLElement::children() const {
    std::vector<XMLElement> result;
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) {
            result.emplace_back(child, document_);
        }
    }
    return result;
}

std::vector<XMLNode> XMLElement::childNodes(std::initializer_list<NodeType> types) const {
    std::vector<XMLNode> result;
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (std::find(types.begin(), types.end(), static_cast<NodeType>(child->type)) !=
            types.end()) {
            result.emplace_back(child, document_);
        }
    }
    return result;
}

std::optional<XMLElement>
XMLElement::firstChild(std::string_view tag,
                       std::optional<std::string_view> namespacePrefix) const {
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (matchesTag(child, tag, namespacePrefix)) {
            return XMLElement(child, document_);
        }
    }
    return std::nullopt;
}

std::vector<XMLElement>
XMLElement::children(std::string_view tag, std::optional<std::string_view> namespacePrefix) const {
    std::vector<XMLElement> result;
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (matchesTag(child, tag, namespacePrefix)) {
            result.emplace_back(child, document_);
        }
    }
    return result;
}

std::optional<double> XMLElement::numberValue() const {
    return document_->numberFormatter().parse(stringValue());
}

std::optional<DateParser::Instant> XMLElement::dateValue() const {
    return document_->dateFormatter().parse(stringValue());
}

XMLElement XMLElement::childAt(std::size_t index) const {
    std::size_t position = 0;
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && position++ == index) {
            return XMLElement(child, document_);
        }
    }
    throw std::out_of_range("XMLElement: no element child at position " + std::to_string(index) +
                            " (" + std::to_string(position) + " element children)");
}

std::optional<XMLElement> XMLElement::childElement(std::string_view name) const {
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (ChildElementRange::isElementNamed(child, name)) {
            return XMLElement(child, document_);
        }
    }
    return std::nullopt;
}

ChildElementRange XMLElement::childElements() const {
    return ChildElementRange(node_, document_, std::nullopt);
}

ChildElementRange XMLElement::childElements(std::string_view name) const {
    return ChildElementRange(node_, document_, std::string(name));
}

std::optional<std::string> XMLElement::childText(std::string_view name) const {
    const auto child = childElement(name);
    if (!child) {
        return std::nullopt;
    }
    return child->stringValue();
}

XPathObjectPtr XMLElement::evaluate(std::string_view expression) const {
    return document_->xpathContext().evaluate(node_, expression, document_->namespaces());
}

XPathObjectPtr XMLElement::evaluate(const XPathExpression& expression) const {
    return document_->xpathContext().evaluate(node_, expression.compiled(),
                                              document_->namespaces());
}

NodeSet XMLElement::xpath(std::string_view expression) const {
    try {
        return NodeSet(evaluate(expression), document_);
    } catch (const XMLError&) {
        return NodeSet();
    }
}

NodeSet XMLElement::xpath(const XPathExpression& expression) const {
    try {
        return NodeSet(evaluate(expression), document_);
    } catch (const XMLError&) {
        return NodeSet();
    }
}

NodeSet XMLElement::tryXPath(std::string_view expression) const {
    return NodeSet(evaluate(expression), document_);
}

NodeSet XMLElement::tryXPath(const XPathExpression& expression) const {
    return NodeSet(evaluate(expression), document_);
}

std::optional<XMLElement> XMLElement::firstChildByXPath(std::string_view expression) const {
    return xpath(expression).first();
}

std::optional<XMLElement> XMLElement::firstChildByXPath(const XPathExpression& expression) const {
    return xpath(expression).first();
}

NodeSet XMLElement::css(std::string_view selector) const {
    return xpath(cssToXPath(selector));
}

std::optional<XMLElement> XMLElement::firstChildByCSS(std::string_view selector) const {
    return css(selector).first();
}

std::optional<XPathFunctionResult> XMLElement::eval(std::string_view expression) const {
    try {
        return XPathFunctionResult(evaluate(expression));
    } catch (const XMLError&) {
        return std::nullopt;
    }
}

std::optional<XPathFunctionResult> XMLElement::eval(const XPathExpression& expression) const {
    try {
        return XPathFunctionResult(evaluate(expression));
    } catch (const XMLError&) {
        return std::nullopt;
    }
}

} // namespace marrowvale
