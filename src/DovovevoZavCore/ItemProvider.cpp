#include "DovovevoZavCore/ItemProvider.h"

namespace dovovevozav {

DataItemProvider DataItemProvider::text(std::string_view text) {
    return DataItemProvider(ContentType::utf8PlainText(),
                            std::vector<std::uint8_t>(text.begin(), text.end()));
}

void DataItemProvider::registerData(ContentType type, std::vector<std::uint8_t> data) {
    for (const auto& item : items_) {
        if (item.first == type) {
            return;
        }
    }
    items_.emplace_back(std::move(type), std::move(data));
}

std::vector<ContentType> DataItemProvider::registeredTypes() const {
    std::vector<ContentType> types;
    for (const auto& item : items_) {
        types.push_back(item.first);
    }
    return types;
}

bool DataItemProvider::hasItemConformingTo(std::string_view typeIdentifier) const {
    for (const auto& item : items_) {
        if (item.first.conforms(typeIdentifier)) {
            return true;
        }
    }
    return false;
}

std::vector<std::uint8_t> DataItemProvider::loadData(std::string_view typeIdentifier) const {
    for (const auto& item : items_) {
        if (item.first.conforms(typeIdentifier)) {
            return item.second;
        }
    }
    throw ItemProviderError("No item of type " + std::string(typeIdentifier) + ".");
}

} // namespace dovovevozav
