#pragma once

namespace marrowvale {

/// The kind of a node, with libxml2's values of its node-type enumeration.
enum class NodeType : int {
    Element = 1,
    Attribute = 2,
    Text = 3,
    CDataSection = 4,
    EntityRef = 5,
    Entity = 6,
    Pi = 7,
    Comment = 8,
    Document = 9,
    DocumentType = 10,
    DocumentFrag = 11,
    Notation = 12,
    HtmlDocument = 13,
    DTD = 14,
    ElementDecl = 15,
    AttributeDecl = 16,
    EntityDecl = 17,
    NamespaceDecl = 18,
    XIncludeStart = 19,
    XIncludeEnd = 20,
    DocbDocument = 21,
};

} // namespace marrowvale
