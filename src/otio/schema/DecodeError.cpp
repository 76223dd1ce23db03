#include "otio/schema/DecodeError.h"

namespace marrowvale::otio {

namespace {

// Text of the path up to, not including, the item at `end`.
std::string pathText(const std::vector<CodingPathItem>& path, std::size_t end) {
    std::string text;
    for (std::size_t i = 0; i < end; ++i) {
        const CodingPathItem& item = path[i];
        if (item.index) {
            text += '[';
            text += std::to_string(*item.index);
            text += ']';
            if (!item.itemName.empty()) {
                text += " \"";
                text += item.itemName;
                text += '"';
            }
        } else {
            if (!text.empty()) {
                text += '.';
            }
            text += item.key;
        }
    }
    return text;
}

} // namespace

DecodeError::DecodeError(Kind kind, std::string reason) : kind_(kind), reason_(std::move(reason)) {
    describe();
}

std::string DecodeError::codingPathText() const {
    return pathText(codingPath_, codingPath_.size());
}

std::string DecodeError::debugDescription() const {
    return std::string("DecodeError.") + kindName(kind_) + "(codingPath: \"" + codingPathText() +
           "\", \"" + reason_ + "\")";
}

void DecodeError::prependKey(std::string key) {
    codingPath_.insert(codingPath_.begin(), CodingPathItem{std::move(key), std::nullopt, {}});
    describe();
}

void DecodeError::prependIndex(std::size_t index, std::string itemName) {
    codingPath_.insert(codingPath_.begin(), CodingPathItem{{}, index, std::move(itemName)});
    describe();
}

void DecodeError::describe() {
    description_ = reason_;
    if (codingPath_.empty()) {
        description_ += '.';
        return;
    }
    // A missing member is placed by the object that lacks it; any other fault by its own path.
    if (kind_ == Kind::keyNotFound) {
        const std::size_t parent = codingPath_.size() - 1;
        description_ +=
            parent == 0 ? " in the document's root object" : " in " + pathText(codingPath_, parent);
    } else {
        description_ += " at " + codingPathText();
    }
    description_ += '.';
}

const char* kindName(DecodeError::Kind kind) {
    switch (kind) {
    case DecodeError::Kind::keyNotFound:
        return "keyNotFound";
    case DecodeError::Kind::valueNotFound:
        return "valueNotFound";
    case DecodeError::Kind::typeMismatch:
        return "typeMismatch";
    case DecodeError::Kind::dataCorrupted:
        return "dataCorrupted";
    }
    return "unknown";
}

} // namespace marrowvale::otio
