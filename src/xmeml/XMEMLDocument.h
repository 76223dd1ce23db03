#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// Index of an element in an XMEMLDocument. Indices follow document order.
using NodeIndex = std::uint32_t;

/// Interned element or attribute name of an XMEMLDocument.
using NameID = std::uint32_t;

/// The first error libxml2 met (and, in a document it could read, repaired) while reading a
/// document: what followed it may be missing.
struct XMEMLRecoveredError {
    int code = 0;
    int line = 0;
    int column = 0;
    std::string message;
};

/// libxml2 could not make a document of the bytes: its error code and message, and the first
/// error it met on the way with its place, when it met one.
class XMEMLParseError : public std::runtime_error {
public:
    /// An error with libxml2's code and its message (trimmed).
    XMEMLParseError(int code, const std::string& message,
                    std::optional<XMEMLRecoveredError> firstError = std::nullopt);

    /// libxml2's error code.
    int code() const noexcept { return code_; }
    /// The first error the parser met, with its line and column.
    const std::optional<XMEMLRecoveredError>& firstError() const noexcept { return firstError_; }

private:
    int code_;
    std::optional<XMEMLRecoveredError> firstError_;
};

/// A read-only element tree of an XML document, built in one pass by libxml2's streaming
/// parser. A feature-length timeline holds millions of elements, so each element is a few
/// integers in one array (document order), element text lives in one shared buffer, and blank
/// text between elements is not kept. Comments and other non-element nodes are only counted,
/// which is all the sibling walks need.
class XMEMLDocument {
public:
    /// No element.
    static constexpr NodeIndex none = UINT32_MAX;
    /// A name that no element or attribute of the document has.
    static constexpr NameID absentName = UINT32_MAX;

    /// Parses the bytes (encoding detected by libxml2, errors repaired where possible).
    /// Internal entities are expanded; external ones are never fetched. When `requiredRoot` is
    /// given and the root element has another name, parsing stops after the root's start tag.
    /// Bytes that end before any element with nothing malformed on the way (none at all, blanks,
    /// a declaration, comments) give a document without a root. Throws XMEMLParseError when
    /// libxml2 met an error before any element, and when entities expand to far more than the
    /// file holds.
    static XMEMLDocument parse(std::string_view bytes,
                               std::optional<std::string_view> requiredRoot = std::nullopt);

    /// Hands over the next bytes of a document, at most `maxLength` of them; none at its end.
    /// The bytes stay valid until the next call.
    using ChunkSource = std::function<std::string_view(std::size_t maxLength)>;

    /// Parses a document of `size` bytes that `next` hands over chunk by chunk, as the parse
    /// above does with bytes in memory. No more is asked of `next` once the parser has given
    /// up, so a file that holds no XML is never read to its end.
    static XMEMLDocument parse(const ChunkSource& next, std::size_t size,
                               std::optional<std::string_view> requiredRoot = std::nullopt);

    /// The root element, or none.
    NodeIndex root() const { return nodes_.empty() ? none : 0; }
    /// Number of elements.
    std::size_t size() const { return nodes_.size(); }
    /// The first error the parser repaired, when the bytes were not a well-formed document.
    const std::optional<XMEMLRecoveredError>& recoveredError() const { return recoveredError_; }
    /// Whether every name, text and attribute value is valid UTF-8. libxml2 passes the bytes of
    /// a file that names no encoding through unchecked when they are not UTF-8.
    bool holdsOnlyUTF8() const;

    /// The interned id of a name, or absentName when no element or attribute carries it.
    NameID nameID(std::string_view name) const;
    /// The element's name id.
    NameID name(NodeIndex node) const { return nodes_[node].name; }
    /// The element's local name (namespaced elements read as "{uri}name").
    std::string_view tag(NodeIndex node) const { return names_[nodes_[node].name]; }

    /// The parent element; none for the root.
    NodeIndex parent(NodeIndex node) const { return nodes_[node].parent; }
    /// The first child element of any name.
    NodeIndex firstChild(NodeIndex node) const { return nodes_[node].firstChild; }
    /// The next sibling element of any name.
    NodeIndex nextSibling(NodeIndex node) const { return nodes_[node].nextSibling; }

    /// The first child element with the name; none when there is none.
    NodeIndex child(NodeIndex node, NameID name) const;
    /// The next sibling element after `node` with the name.
    NodeIndex nextSibling(NodeIndex node, NameID name) const;
    /// Every child element with the name, in document order.
    std::vector<NodeIndex> children(NodeIndex node, NameID name) const;
    /// Every child element whose name is one of the names, in document order.
    std::vector<NodeIndex> children(NodeIndex node, std::initializer_list<NameID> names) const;
    /// The first element, in document order, reached from `node` by a path of child names
    /// (like the XPath "a/b/c" relative to `node`); none when no element matches.
    NodeIndex path(NodeIndex node, std::initializer_list<NameID> names) const;
    /// Every element reached by the child path, in document order.
    std::vector<NodeIndex> allPaths(NodeIndex node, std::initializer_list<NameID> names) const;
    /// The first descendant (not `node` itself) with the name, in document order.
    NodeIndex descendant(NodeIndex node, NameID name) const;
    /// One past the last descendant of `node`: its subtree is [node, end).
    NodeIndex subtreeEnd(NodeIndex node) const;

    /// All text inside the element, in document order (blank text between elements left out).
    std::string_view text(NodeIndex node) const;
    /// The text of the element reached by a child path, or none when no element matches.
    std::optional<std::string_view> pathText(NodeIndex node,
                                             std::initializer_list<NameID> names) const;
    /// The value of the attribute with the name, whatever its namespace; none when absent.
    std::optional<std::string_view> attribute(NodeIndex node, NameID name) const;

    /// The nearest element before `node` among its siblings, looking at no more than three
    /// sibling nodes (text, comments and elements alike); none when those hold no element.
    NodeIndex previousSiblingElement(NodeIndex node) const;
    /// The same walk after `node`.
    NodeIndex nextSiblingElement(NodeIndex node) const;

    XMEMLDocument(XMEMLDocument&&) noexcept = default;
    XMEMLDocument& operator=(XMEMLDocument&&) noexcept = default;

private:
    friend class XMEMLDocumentBuilder;
    XMEMLDocument() = default;

    static XMEMLDocument parseChunks(const ChunkSource& next, std::size_t size,
                                     std::size_t expectedElements,
                                     std::optional<std::string_view> requiredRoot);

    struct Node {
        NameID name;
        NodeIndex parent;
        NodeIndex firstChild;
        NodeIndex nextSibling;
        NodeIndex previousSibling;
        std::uint32_t textBegin; // the element's text is text_[textBegin, textEnd)
        std::uint32_t textEnd;
        std::uint32_t firstAttribute;
        std::uint16_t attributeCount;
        std::uint8_t nodesBefore; // non-element nodes since the previous sibling element, max 3
    };
    struct Attribute {
        NameID name;
        std::uint32_t valueBegin;
        std::uint32_t valueEnd;
    };

    std::vector<Node> nodes_;
    std::vector<Attribute> attributes_;
    std::string text_;
    std::string attributeText_;
    std::vector<std::string> names_;
    std::optional<XMEMLRecoveredError> recoveredError_;
};

} // namespace marrowvale
