#include "app/XMLContentError.h"

#include "app/TextUtilities.h"

#include <array>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, 8> rawValues = {
    "This XML cannot be parsed | Please export a new XML.",
    "This fcpxmld file has been exported incorrectly | Please try exporting from Final Cut Pro "
    "using a different XML version.",
    "There is a problem with this .fcpxml file | This file is empty and cannot be used.",
    "There is a problem with this .xml file | This file is empty and cannot be used.",
    "This is not a valid .fcpxml file | Please export a new XML from Final Cut Pro.",
    "This is not a valid .xml file | Please export a new Final Cut Pro XML file from Premiere "
    "Pro.",
    "There is a problem with this FCPXML | The minimum version of XML supported is 1.6 "
    "(exported from Final Cut Pro 10.3).",
    "There is a problem with this OTIO",
};

constexpr std::string_view separator = " | ";

} // namespace

XMLContentError::XMLContentError(Case errorCase)
    : case_(errorCase), description_(errorDescription().value_or(std::string())) {}

std::optional<XMLContentError> XMLContentError::fromRawValue(std::string_view rawValue) {
    for (std::size_t i = 0; i < rawValues.size(); ++i) {
        if (rawValues[i] == rawValue) {
            return XMLContentError(static_cast<Case>(i));
        }
    }
    return std::nullopt;
}

std::string_view XMLContentError::rawValue() const {
    auto index = static_cast<std::size_t>(case_);
    return index < rawValues.size() ? rawValues[index] : rawValues[0];
}

std::optional<std::string> XMLContentError::errorDescription() const {
    auto pieces = nonEmptyComponents(rawValue(), separator);
    if (pieces.empty()) {
        return std::nullopt;
    }
    return pieces.front();
}

std::optional<std::string> XMLContentError::recoverySuggestion() const {
    auto pieces = nonEmptyComponents(rawValue(), separator);
    if (pieces.empty()) {
        return std::nullopt;
    }
    return pieces.back();
}

const char* XMLContentError::what() const noexcept {
    return description_.c_str();
}

} // namespace marrowvale
