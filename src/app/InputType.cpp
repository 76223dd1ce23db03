#include "app/InputType.h"

#include <array>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, 6> rawValues = {"null",     "XMEML",    "FCPXML",
                                                       "DaVrOTIO", "PProOTIO", "AvidOTIO"};

} // namespace

std::string_view inputTypeRawValue(InputType type) {
    auto index = static_cast<std::size_t>(type);
    return index < rawValues.size() ? rawValues[index] : rawValues[0];
}

std::optional<InputType> inputTypeFromRawValue(std::string_view rawValue) {
    for (std::size_t i = 0; i < rawValues.size(); ++i) {
        if (rawValues[i] == rawValue) {
            return static_cast<InputType>(i);
        }
    }
    return std::nullopt;
}

} // namespace marrowvale
