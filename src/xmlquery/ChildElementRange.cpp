#include "xmlquery/ChildElementRange.h"

#include "xmlquery/XMLElement.h"

namespace marrowvale {

ChildElementRange::ChildElementRange(xmlNode* parent, std::shared_ptr<const XMLDocument> document,
                                     std::optional<std::string> name)
    : firstChild_(parent != nullptr ? parent->children : nullptr), document_(std::move(document)),
      name_(std::move(name)) {}

bool ChildElementRange::isElementNamed(const xmlNode* node, std::string_view name) noexcept {
    return node->type == XML_ELEMENT_NODE && node->ns == nullptr && node->name != nullptr &&
           std::string_view(reinterpret_cast<const char*>(node->name)) == name;
}

xmlNode* ChildElementRange::matchFrom(xmlNode* node) const noexcept {
    for (; node != nullptr; node = node->next) {
        if (name_ ? isElementNamed(node, *name_) : node->type == XML_ELEMENT_NODE) {
            return node;
        }
    }
    return nullptr;
}

XMLElement ChildElementRange::const_iterator::operator*() const {
    return XMLElement(node_, range_->document_);
}

ChildElementRange::const_iterator& ChildElementRange::const_iterator::operator++() {
    node_ = range_->matchFrom(node_->next);
    return *this;
}

} // namespace marrowvale
