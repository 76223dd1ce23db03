#include "xmlquery/XMLNode.h"

#include "xmlquery/LibXmlHandles.h"
#include "xmlquery/LibXmlText.h"
#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLElement.h"

#include <libxml/HTMLtree.h>
#include <stdexcept>

namespace marrowvale {

XMLNode::XMLNode(xmlNode* node, std::shared_ptr<const XMLDocument> document)
    : node_(node), document_(std::move(document)) {
    if (node_ == nullptr || !document_) {
        throw std::invalid_argument("XMLNode needs a node and its document");
    }
}

long XMLNode::lineNumber() const {
    return xmlGetLineNo(node_);
}

std::optional<XMLElement> XMLNode::parent() const {
    if (node_->parent == nullptr) {
        return std::nullopt;
    }
    return XMLElement(node_->parent, document_);
}

std::optional<XMLElement> XMLNode::previousSibling() const {
    if (node_->prev == nullptr) {
        return std::nullopt;
    }
    return XMLElement(node_->prev, document_);
}

std::optional<XMLElement> XMLNode::nextSibling() const {
    if (node_->next == nullptr) {
        return std::nullopt;
    }
    return XMLElement(node_->next, document_);
}

bool XMLNode::isHTML() const noexcept {
    return document_->isHTML();
}

std::string XMLNode::stringValue() const {
    return takeTextFromLibXml(xmlNodeGetContent(node_));
}

std::string XMLNode::rawXML() const {
    const XmlBufferPtr buffer(xmlBufferCreate());
    if (!buffer) {
        return {};
    }
    if (isHTML()) {
        htmlNodeDump(buffer.get(), document_->cDocument(), node_);
    } else {
        xmlNodeDump(buffer.get(), document_->cDocument(), node_, 0, 0);
    }
    return textFromLibXml(xmlBufferContent(buffer.get())).value_or(std::string());
}

std::optional<XMLElement> XMLNode::toElement() const {
    if (type() != NodeType::Element) {
        return std::nullopt;
    }
    return XMLElement(node_, document_);
}

} // namespace marrowvale
