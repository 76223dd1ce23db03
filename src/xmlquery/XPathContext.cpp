#include "xmlquery/XPathContext.h"

#include "xmlquery/LibXmlText.h"
#include "xmlquery/XMLError.h"

#include <libxml/xmlerror.h>
#include <libxml/xpathInternals.h>
#include <string>

namespace marrowvale {
namespace {

void ignoreMessage(void* /*context*/, const char* /*format*/, ...) {}

/// libxml2 records an XPath error (code and message) as this thread's last error and also
/// prints it through the generic error function; this keeps it from printing while alive.
class SilentErrors {
public:
    SilentErrors() : function_(xmlGenericError), context_(xmlGenericErrorContext) {
        xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    }
    ~SilentErrors() { xmlSetGenericErrorFunc(context_, function_); }
    SilentErrors(const SilentErrors&) = delete;
    SilentErrors& operator=(const SilentErrors&) = delete;

private:
    xmlGenericErrorFunc function_;
    void* context_;
};

const xmlChar* xmlText(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

} // namespace

XPathContext::XPathContext(xmlDoc* document) : context_(xmlXPathNewContext(document)) {
    if (!context_) {
        throw XMLError::lastError(XMLError::xpath());
    }
}

void XPathContext::prepare(xmlNode* node, const XMLDocument::NamespaceTable& namespaces) {
    xmlXPathContext* context = context_.get();
    xmlXPathRegisteredNsCleanup(context);
    xmlResetError(&context->lastError);
    context->node = node;
    context->contextSize = -1;
    context->proximityPosition = -1;
    context->opCount = 0;
    context->depth = 0;

    // Only element nodes carry namespace declarations (attribute and document nodes have other
    // layouts). The nearest declaration of a prefix is the one in scope, so a prefix already
    // registered by a nearer node is kept.
    for (xmlNode* current = node; current != nullptr && current->parent != nullptr;
         current = current->parent) {
        if (current->type != XML_ELEMENT_NODE) {
            continue;
        }
        for (xmlNs* declaration = current->nsDef; declaration != nullptr;
             declaration = declaration->next) {
            if (declaration->prefix != nullptr && declaration->href != nullptr &&
                xmlXPathNsLookup(context, declaration->prefix) == nullptr) {
                xmlXPathRegisterNs(context, declaration->prefix, declaration->href);
            }
        }
    }
    for (const auto& [prefix, uri] : namespaces) {
        xmlXPathRegisterNs(context, xmlText(prefix), xmlText(uri));
    }
}

XMLError XPathContext::takeError() {
    // The thread's record carries the message; the context's only the code. A record from
    // another domain is older than this evaluation and not its cause.
    const xmlError* threadError = xmlGetLastError();
    const bool fromXPath = threadError != nullptr && threadError->domain == XML_FROM_XPATH;
    xmlError& contextError = context_->lastError;
    const int contextCode = contextError.code;
    xmlResetError(&contextError);
    if (fromXPath) {
        return XMLError::lastError(XMLError::xpath());
    }
    if (contextCode != XML_ERR_OK) {
        return XMLError::libXML(contextCode, {});
    }
    return XMLError::xpath();
}

XPathObjectPtr XPathContext::evaluate(xmlNode* node, std::string_view expression,
                                      const XMLDocument::NamespaceTable& namespaces) {
    prepare(node, namespaces);
    const std::string text(expression);
    const SilentErrors silent;
    XPathObjectPtr result(xmlXPathEvalExpression(xmlText(text), context_.get()));
    if (!result) {
        throw takeError();
    }
    return result;
}

XPathObjectPtr XPathContext::evaluate(xmlNode* node, xmlXPathCompExpr* expression,
                                      const XMLDocument::NamespaceTable& namespaces) {
    prepare(node, namespaces);
    const SilentErrors silent;
    XPathObjectPtr result(xmlXPathCompiledEval(expression, context_.get()));
    if (!result) {
        throw takeError();
    }
    return result;
}

XPathCompExprPtr XPathContext::compile(std::string_view expression) {
    prepare(nullptr, {});
    const std::string text(expression);
    const SilentErrors silent;
    XPathCompExprPtr compiled(xmlXPathCtxtCompile(context_.get(), xmlText(text)));
    if (!compiled) {
        throw takeError();
    }
    return compiled;
}

} // namespace marrowvale
