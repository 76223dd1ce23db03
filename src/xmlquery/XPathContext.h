#pragma once

#include "xmlquery/LibXmlHandles.h"
#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLError.h"

#include <string_view>

namespace marrowvale {

/// The XPath evaluation context of one document, kept and reused for every query on it (a new
/// libxml2 context per query costs ten times the query itself). Errors are reported as XMLError
/// and never printed.
class XPathContext {
public:
    /// A context for the given document (or for compiling only, without document); throws
    /// XMLError when libxml2 cannot make one.
    explicit XPathContext(xmlDoc* document);

    /// Evaluates the expression with the node as context node. Namespaces declared with a prefix
    /// on the node and its ancestors are usable (the nearest declaration wins), then the
    /// document's table is registered over them. Throws XMLError on failure.
    XPathObjectPtr evaluate(xmlNode* node, std::string_view expression,
                            const XMLDocument::NamespaceTable& namespaces);

    /// The same with an expression compiled beforehand.
    XPathObjectPtr evaluate(xmlNode* node, xmlXPathCompExpr* expression,
                            const XMLDocument::NamespaceTable& namespaces);

    /// Compiles an expression; throws XMLError when it is not valid XPath.
    XPathCompExprPtr compile(std::string_view expression);

private:
    void prepare(xmlNode* node, const XMLDocument::NamespaceTable& namespaces);
    XMLError takeError();

    XPathContextPtr context_;
};

} // namespace marrowvale
