#include "xmlquery/XPathContext.h"

#include "xmlquery/LibXmlText.h"
#include "xmlquery/XMLError.h"

#include <libxml/xpathInternals.h>
#include <string>

namespace marrowvale {
namespace {

// Keeps libxml2 from printing XPath errors; they stay in the context's lastError.
void collectError(void* /*userData*/, xmlError* /*error*/) {}

const xmlChar* xmlText(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

} // namespace

XPathContext::XPathContext(xmlDoc* document) : context_(xmlXPathNewContext(document)) {
    if (!context_) {
        throw XMLError::lastError(XMLError::xpath());
    }
    context_->error = collectError;
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
    xmlError& last = context_->lastError;
    if (last.code == XML_ERR_OK) {
        return XMLError::lastError(XMLError::xpath());
    }
    const int code = last.code;
    std::string message =
        textFromLibXml(reinterpret_cast<const xmlChar*>(last.message)).value_or(std::string());
    xmlResetError(&last);
    return XMLError::libXML(code, std::move(message));
}

XPathObjectPtr XPathContext::evaluate(xmlNode* node, std::string_view expression,
                                      const XMLDocument::NamespaceTable& namespaces) {
    prepare(node, namespaces);
    const std::string text(expression);
    XPathObjectPtr result(xmlXPathEvalExpression(xmlText(text), context_.get()));
    if (!result) {
        throw takeError();
    }
    return result;
}

XPathObjectPtr XPathContext::evaluate(xmlNode* node, xmlXPathCompExpr* expression,
                                      const XMLDocument::NamespaceTable& namespaces) {
    prepare(node, namespaces);
    XPathObjectPtr result(xmlXPathCompiledEval(expression, context_.get()));
    if (!result) {
        throw takeError();
    }
    return result;
}

XPathCompExprPtr XPathContext::compile(std::string_view expression) {
    prepare(nullptr, {});
    const std::string text(expression);
    XPathCompExprPtr compiled(xmlXPathCtxtCompile(context_.get(), xmlText(text)));
    if (!compiled) {
        throw takeError();
    }
    return compiled;
}

} // namespace marrowvale
