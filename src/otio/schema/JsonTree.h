#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale::otio::coding {

enum class JsonType : std::uint8_t {
    null,
    boolean,
    integer,         ///< a number without fraction or exponent that fits 64 signed bits
    unsignedInteger, ///< such a number beyond the signed range that fits 64 unsigned bits
    real,            ///< any other number
    string,
    array,
    object,
};

/// A parsed JSON document held compactly for one pass of decoding: every value is one node of
/// a single list, in document order, and every text lies in a single character store. Objects
/// list their members as a key node followed by the value's nodes. Building it costs a few
/// large allocations instead of one per value, and dropping it is nearly free.
class JsonTree {
public:
    /// Positions are 32 bits wide: documents are limited to `maximumBytes`.
    struct Node {
        JsonType type = JsonType::null;
        bool flag = false;        ///< a boolean's value
        std::uint32_t extent = 0; ///< a text's offset in the store; the node after a container
        union {
            std::int64_t integer = 0;
            std::uint64_t unsignedInteger;
            double real;
            std::uint64_t count; ///< a text's length; the elements or members of a container
        };
    };
    static constexpr std::size_t maximumBytes = 0xFFFFFFFF;

    std::vector<Node>& nodes() { return nodes_; }
    std::string& texts() { return texts_; }

    const Node& node(std::size_t index) const { return nodes_[index]; }
    std::string_view text(std::size_t index) const {
        const Node& held = nodes_[index];
        return std::string_view(texts_).substr(held.extent, static_cast<std::size_t>(held.count));
    }
    /// The index of the node that follows the value at `index` and everything inside it.
    std::size_t after(std::size_t index) const {
        const Node& held = nodes_[index];
        return held.type == JsonType::array || held.type == JsonType::object ? held.extent
                                                                             : index + 1;
    }

private:
    std::vector<Node> nodes_;
    std::string texts_;
};

/// One value of a JsonTree.
class JsonValue {
public:
    JsonValue(const JsonTree& tree, std::size_t index) : tree_(&tree), index_(index) {}

    JsonType type() const { return node().type; }
    bool isNull() const { return type() == JsonType::null; }
    bool isBoolean() const { return type() == JsonType::boolean; }
    bool isString() const { return type() == JsonType::string; }
    bool isArray() const { return type() == JsonType::array; }
    bool isObject() const { return type() == JsonType::object; }
    bool isNumber() const {
        return type() == JsonType::integer || type() == JsonType::unsignedInteger ||
               type() == JsonType::real;
    }

    bool boolean() const { return node().flag; }
    std::int64_t integer() const { return node().integer; }
    std::uint64_t unsignedInteger() const { return node().unsignedInteger; }
    double real() const { return node().real; }
    /// Any number as a double.
    double number() const;
    std::string_view string() const { return tree_->text(index_); }
    /// The elements of an array or the members of an object.
    std::size_t size() const { return static_cast<std::size_t>(node().count); }

    /// Calls `visit(position, element)` for each element of an array, in order.
    template <class Visit>
    void forEachElement(Visit visit) const {
        const std::size_t end = node().extent;
        std::size_t position = 0;
        for (std::size_t at = index_ + 1; at < end; at = tree_->after(at)) {
            visit(position++, JsonValue(*tree_, at));
        }
    }
    /// Calls `visit(key, value)` for each member of an object, in document order.
    template <class Visit>
    void forEachMember(Visit visit) const {
        const std::size_t end = node().extent;
        for (std::size_t at = index_ + 1; at < end; at = tree_->after(at + 1)) {
            visit(tree_->text(at), JsonValue(*tree_, at + 1));
        }
    }
    /// The text of the member `key` when this is an object holding one that is text.
    std::string_view memberText(std::string_view key) const;

    /// The value as short text for error descriptions: `the text "abc"`, `the number 2.5`.
    std::string describe() const;

private:
    const JsonTree::Node& node() const { return tree_->node(index_); }

    const JsonTree* tree_;
    std::size_t index_;
};

} // namespace marrowvale::otio::coding
