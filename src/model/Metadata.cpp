#include "model/Metadata.h"

namespace marrowvale {

Metadata::Metadata(std::string key, std::string value, std::vector<std::string> values)
    : key(std::move(key)), value(std::move(value)), values(std::move(values)) {}

std::string Metadata::debugDescription() const {
    return "Metadata: " + key + " = \"" + value + "\"\n";
}

} // namespace marrowvale
