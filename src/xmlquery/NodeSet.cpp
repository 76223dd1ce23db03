#include "xmlquery/NodeSet.h"

#include "xmlquery/XMLDocument.h"
#include "xmlquery/XMLElement.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace marrowvale {

NodeSet::NodeSet(XPathObjectPtr result, std::shared_ptr<const XMLDocument> document)
    : document_(std::move(document)), result_(std::move(result)) {
    if (!result_ || result_->type != XPATH_NODESET || result_->nodesetval == nullptr ||
        result_->nodesetval->nodeTab == nullptr || result_->nodesetval->nodeNr <= 0 || !document_) {
        return;
    }
    xmlNodeSet* set = result_->nodesetval;
    const auto begin = set->nodeTab;
    const auto end = set->nodeTab + set->nodeNr;
    // Namespace nodes in a result are temporary copies owned by the result, not tree nodes with
    // a node's layout; they are left out so that every handle points into the tree.
    const auto isTreeNode = [](const xmlNode* node) {
        return node != nullptr && node->type != XML_NAMESPACE_DECL;
    };
    if (std::all_of(begin, end, isTreeNode)) {
        nodes_ = begin;
        count_ = static_cast<std::size_t>(set->nodeNr);
        return;
    }
    std::copy_if(begin, end, std::back_inserter(treeNodes_), isTreeNode);
    nodes_ = treeNodes_.data();
    count_ = treeNodes_.size();
}

NodeSet::NodeSet(NodeSet&& other) noexcept
    : document_(std::move(other.document_)), result_(std::move(other.result_)),
      treeNodes_(std::move(other.treeNodes_)), nodes_(std::exchange(other.nodes_, nullptr)),
      count_(std::exchange(other.count_, 0)), cursor_(std::exchange(other.cursor_, 0)) {}

NodeSet& NodeSet::operator=(NodeSet&& other) noexcept {
    if (this != &other) {
        result_ = std::move(other.result_); // the old result goes before the old document
        document_ = std::move(other.document_);
        treeNodes_ = std::move(other.treeNodes_);
        nodes_ = std::exchange(other.nodes_, nullptr);
        count_ = std::exchange(other.count_, 0);
        cursor_ = std::exchange(other.cursor_, 0);
    }
    return *this;
}

NodeSet::~NodeSet() = default;

std::optional<XMLElement> NodeSet::first() const {
    if (count_ == 0) {
        return std::nullopt;
    }
    return XMLElement(nodes_[0], document_);
}

XMLElement NodeSet::at(std::size_t index) const {
    if (index >= count_) {
        throw std::out_of_range("NodeSet: position " + std::to_string(index) +
                                " is past the end (" + std::to_string(count_) + " nodes)");
    }
    return XMLElement(nodes_[index], document_);
}

XMLElement NodeSet::operator[](std::size_t index) const {
    return at(index);
}

std::optional<XMLElement> NodeSet::next() {
    if (cursor_ < count_) {
        return XMLElement(nodes_[cursor_++], document_);
    }
    if (cursor_ != SIZE_MAX) {
        ++cursor_; // keeps counting past the end, like every other call
    }
    return std::nullopt;
}

XMLElement NodeSet::const_iterator::operator*() const {
    return set_->at(index_);
}

} // namespace marrowvale
