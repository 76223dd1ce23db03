#pragma once

#include "xmlquery/LibXmlHandles.h"

#include <memory>
#include <string>
#include <string_view>

namespace marrowvale {

/// An XPath expression compiled once and evaluated against any number of context nodes of any
/// document (XMLElement::xpath(const XPathExpression&)). Copies share the compiled form. Namespace
/// prefixes are resolved at evaluation, against the context node's tree and its document's
/// table.
class XPathExpression {
public:
    /// Compiles the expression; throws XMLError when it is not valid XPath.
    explicit XPathExpression(std::string_view expression);

    /// The expression's text.
    const std::string& text() const noexcept { return text_; }

    /// The compiled form; owned by this object and its copies.
    xmlXPathCompExpr* compiled() const noexcept { return compiled_.get(); }

private:
    std::string text_;
    std::shared_ptr<xmlXPathCompExpr> compiled_;
};

} // namespace marrowvale
