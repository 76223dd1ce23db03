#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <memory>

namespace marrowvale {

/// Deleter for a libxml2 document.
struct XmlDocDeleter {
    void operator()(xmlDoc* document) const noexcept { xmlFreeDoc(document); }
};

/// Deleter for a character string that libxml2 allocated.
struct XmlCharDeleter {
    void operator()(xmlChar* text) const noexcept { xmlFree(text); }
};

/// Deleter for a libxml2 output buffer.
struct XmlBufferDeleter {
    void operator()(xmlBuffer* buffer) const noexcept { xmlBufferFree(buffer); }
};

/// Deleter for an XPath result object (frees its node set too).
struct XPathObjectDeleter {
    void operator()(xmlXPathObject* result) const noexcept { xmlXPathFreeObject(result); }
};

/// Deleter for an XPath evaluation context.
struct XPathContextDeleter {
    void operator()(xmlXPathContext* context) const noexcept { xmlXPathFreeContext(context); }
};

/// Deleter for a compiled XPath expression.
struct XPathCompExprDeleter {
    void operator()(xmlXPathCompExpr* expression) const noexcept {
        xmlXPathFreeCompExpr(expression);
    }
};

using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocDeleter>;
using XmlCharPtr = std::unique_ptr<xmlChar, XmlCharDeleter>;
using XmlBufferPtr = std::unique_ptr<xmlBuffer, XmlBufferDeleter>;
using XPathObjectPtr = std::unique_ptr<xmlXPathObject, XPathObjectDeleter>;
using XPathContextPtr = std::unique_ptr<xmlXPathContext, XPathContextDeleter>;
using XPathCompExprPtr = std::unique_ptr<xmlXPathCompExpr, XPathCompExprDeleter>;

} // namespace marrowvale
