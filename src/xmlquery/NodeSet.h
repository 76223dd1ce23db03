#pragma once

#include "xmlquery/LibXmlHandles.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace marrowvale {

class XMLDocument;
class XMLElement;

/// The ordered result of an XPath query: a read-only collection of node handles. It owns the
/// libxml2 result and shares ownership of the document. Default-constructed, it is the empty set
/// that failed queries give. Include "xmlquery/XMLElement.h" to use its elements.
class NodeSet {
public:
    /// Iterates the positions 0 to count() - 1; does not touch the cursor.
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = XMLElement;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = XMLElement;

        const_iterator() = default;
        const_iterator(const NodeSet* set, std::size_t index) : set_(set), index_(index) {}

        XMLElement operator*() const;
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator previous = *this;
            ++index_;
            return previous;
        }
        bool operator==(const const_iterator& other) const noexcept {
            return index_ == other.index_;
        }

    private:
        const NodeSet* set_ = nullptr;
        std::size_t index_ = 0;
    };

    /// The empty set.
    NodeSet() = default;

    /// Takes an XPath result (a node set or any other value, which gives no nodes) of the given
    /// document.
    NodeSet(XPathObjectPtr result, std::shared_ptr<const XMLDocument> document);

    /// Moving leaves the source empty.
    NodeSet(NodeSet&& other) noexcept;
    NodeSet& operator=(NodeSet&& other) noexcept;
    NodeSet(const NodeSet&) = delete;
    NodeSet& operator=(const NodeSet&) = delete;
    ~NodeSet();

    /// Number of nodes.
    std::size_t count() const noexcept { return count_; }

    /// True when there are no nodes.
    bool isEmpty() const noexcept { return count_ == 0; }

    /// The first node; nothing when the set is empty.
    std::optional<XMLElement> first() const;

    /// The node at a position; throws std::out_of_range when index >= count().
    XMLElement at(std::size_t index) const;

    /// The same as at(): access by position is always checked.
    XMLElement operator[](std::size_t index) const;

    const_iterator begin() const noexcept { return {this, 0}; }
    const_iterator end() const noexcept { return {this, count_}; }

    /// The node at the cursor, moving the cursor on; nothing once past the end.
    std::optional<XMLElement> next();

    /// Position of the node that next() returns.
    std::size_t cursor() const noexcept { return cursor_; }

    /// Moves the cursor (0 starts over).
    void setCursor(std::size_t cursor) noexcept { cursor_ = cursor; }

    /// The document the nodes belong to; null for a set without nodes from a failed query.
    const std::shared_ptr<const XMLDocument>& document() const noexcept { return document_; }

private:
    std::shared_ptr<const XMLDocument> document_; // declared first: released after result_
    XPathObjectPtr result_;
    std::vector<xmlNode*> treeNodes_; // used only when the result held namespace nodes
    xmlNode* const* nodes_ = nullptr;
    std::size_t count_ = 0;
    std::size_t cursor_ = 0;
};

} // namespace marrowvale
