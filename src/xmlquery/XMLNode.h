#pragma once

#include "xmlquery/NodeType.h"

#include <libxml/tree.h>
#include <memory>
#include <optional>
#include <string>

namespace marrowvale {

class XMLDocument;
class XMLElement;

/// A light handle on one node of a parsed document: a pointer into the libxml2 tree plus shared
/// ownership of the document, so the node stays valid however long it is kept. Copying is cheap.
/// Include "xmlquery/XMLElement.h" to use the navigation results.
class XMLNode {
public:
    /// Wraps a node of the given document; the node must not be null and must belong to it.
    XMLNode(xmlNode* node, std::shared_ptr<const XMLDocument> document);

    /// The node's kind.
    NodeType type() const noexcept { return static_cast<NodeType>(node_->type); }

    /// libxml2's line number of the node; -1 when unknown.
    long lineNumber() const;

    /// The parent node (for the root element, the document node); nothing at the top.
    std::optional<XMLElement> parent() const;

    /// The node before this one among its siblings, of any kind (white space text too).
    std::optional<XMLElement> previousSibling() const;

    /// The node after this one among its siblings, of any kind.
    std::optional<XMLElement> nextSibling() const;

    /// True when the node belongs to a document from the HTML parser.
    bool isHTML() const noexcept;

    /// The text content of the node and all its descendants; "" when there is none.
    std::string stringValue() const;

    /// The node's markup as written, without added indentation (HTML serialisation for HTML).
    std::string rawXML() const;

    /// This node as an element handle when it is an element node.
    std::optional<XMLElement> toElement() const;

    /// The document the node belongs to.
    const std::shared_ptr<const XMLDocument>& document() const noexcept { return document_; }

    /// The libxml2 node; valid while any handle on its document exists.
    xmlNode* cNode() const noexcept { return node_; }

    /// The text form used in diagnostics: rawXML().
    std::string description() const { return rawXML(); }

    /// Two handles are equal when they point at the same libxml2 node.
    bool operator==(const XMLNode& other) const noexcept { return node_ == other.node_; }

protected:
    xmlNode* node_;
    std::shared_ptr<const XMLDocument> document_;
};

} // namespace marrowvale
