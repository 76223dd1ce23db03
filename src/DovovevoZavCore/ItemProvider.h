#pragma once

#include "DovovevoZavCore/ContentType.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dovovevozav {

/// Raised when an item provider cannot deliver the data asked for.
class ItemProviderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What a paste or a drop delivers: one item in one or more content types. The toolkit's
/// clipboard and drag data are adapted to it by the entry controls.
class ItemProvider {
public:
    virtual ~ItemProvider() = default;

    /// True when an item of a type conforming to the identifier is available.
    virtual bool hasItemConformingTo(std::string_view typeIdentifier) const = 0;

    /// The bytes of the item for the type; throws ItemProviderError when it cannot be loaded.
    virtual std::vector<std::uint8_t> loadData(std::string_view typeIdentifier) const = 0;
};

/// An item provider over bytes registered in memory under content types.
class DataItemProvider : public ItemProvider {
public:
    /// A provider without items.
    DataItemProvider() = default;
    /// A provider of one item of the type.
    DataItemProvider(ContentType type, std::vector<std::uint8_t> data) {
        registerData(std::move(type), std::move(data));
    }
    /// A provider of UTF-8 plain text.
    static DataItemProvider text(std::string_view text);

    /// Adds the item's bytes in another type; the first registration of a type wins.
    void registerData(ContentType type, std::vector<std::uint8_t> data);
    /// The registered types, in the order of registration.
    std::vector<ContentType> registeredTypes() const;

    bool hasItemConformingTo(std::string_view typeIdentifier) const override;
    std::vector<std::uint8_t> loadData(std::string_view typeIdentifier) const override;

private:
    std::vector<std::pair<ContentType, std::vector<std::uint8_t>>> items_;
};

} // namespace dovovevozav
