#pragma once

#include <cstddef>
#include <iterator>
#include <libxml/tree.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

class XMLDocument;
class XMLElement;

/// The child elements of a node, optionally only those with one name (exact, without
/// namespace), walked in document order straight through the tree.
class ChildElementRange {
public:
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = XMLElement;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = XMLElement;

        const_iterator() = default;
        const_iterator(const ChildElementRange* range, xmlNode* node)
            : range_(range), node_(node) {}

        XMLElement operator*() const;
        const_iterator& operator++();
        const_iterator operator++(int) {
            const_iterator previous = *this;
            ++*this;
            return previous;
        }
        bool operator==(const const_iterator& other) const noexcept { return node_ == other.node_; }

    private:
        const ChildElementRange* range_ = nullptr;
        xmlNode* node_ = nullptr;
    };

    /// The children of parent in the given document; with a name, only elements of that name.
    ChildElementRange(xmlNode* parent, std::shared_ptr<const XMLDocument> document,
                      std::optional<std::string> name);

    const_iterator begin() const { return {this, matchFrom(firstChild_)}; }
    const_iterator end() const noexcept { return {this, nullptr}; }

    /// True when no child matches.
    bool empty() const { return matchFrom(firstChild_) == nullptr; }

    /// True when the node is an element without namespace named exactly name.
    static bool isElementNamed(const xmlNode* node, std::string_view name) noexcept;

private:
    xmlNode* matchFrom(xmlNode* node) const noexcept;

    xmlNode* firstChild_;
    std::shared_ptr<const XMLDocument> document_;
    std::optional<std::string> name_;
};

} // namespace marrowvale
