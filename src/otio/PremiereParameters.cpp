#include "otio/PremiereParameters.h"

#include <array>

namespace marrowvale {

namespace {

enum class SettingsForm { point, percent, degrees, plain };

struct IntrinsicParameter {
    std::string_view displayName;
    SettingsForm form;
    std::string defaultText;
};

// Premiere Pro's intrinsic parameters with the display text of their defaults, built once; a
// start value is compared with its default in the same text form.
const std::array<IntrinsicParameter, 11>& intrinsicParameters() {
    static const std::array<IntrinsicParameter, 11> parameters = [] {
        const std::string centre =
            otio::AnyCodable(otio::AnyCodable::Dictionary{{"X", otio::AnyCodable(0.5)},
                                                          {"Y", otio::AnyCodable(0.5)}})
                .stringValue();
        return std::array<IntrinsicParameter, 11>{{
            {"Position", SettingsForm::point, centre},
            {"Scale", SettingsForm::percent, "100"},
            {"Scale Width", SettingsForm::plain, "100"},
            {"Rotation", SettingsForm::degrees, "0"},
            {"Anchor Point", SettingsForm::point, centre},
            {"Anti-flicker Filter", SettingsForm::plain, "0"},
            {"Crop Left", SettingsForm::percent, "0"},
            {"Crop Top", SettingsForm::percent, "0"},
            {"Crop Right", SettingsForm::percent, "0"},
            {"Crop Bottom", SettingsForm::percent, "0"},
            {"Opacity", SettingsForm::percent, "100"},
        }};
    }();
    return parameters;
}

const IntrinsicParameter* intrinsicParameter(std::string_view displayName) {
    for (const IntrinsicParameter& parameter : intrinsicParameters()) {
        if (parameter.displayName == displayName) {
            return &parameter;
        }
    }
    return nullptr;
}

// "X: 0.25, Y: 0.5"; a value without both coordinates as its display text.
std::string pointText(const otio::AnyCodable& value, const std::string& text) {
    const std::map<std::string, std::string> coordinates = value.stringDictionary();
    const auto x = coordinates.find("X");
    const auto y = coordinates.find("Y");
    if (x == coordinates.end() || y == coordinates.end()) {
        return text;
    }
    return "X: " + x->second + ", Y: " + y->second;
}

} // namespace

std::optional<std::string> premiereParameterSettings(std::string_view displayName,
                                                     const otio::PProEffectParameter& parameter) {
    const IntrinsicParameter* intrinsic = intrinsicParameter(displayName);
    if (intrinsic == nullptr || !parameter.startValue) {
        return std::nullopt;
    }
    const otio::AnyCodable& value = parameter.startValue->value;
    std::string text = value.stringValue();
    if (text == intrinsic->defaultText) {
        return std::nullopt;
    }
    switch (intrinsic->form) {
    case SettingsForm::point:
        return pointText(value, text);
    case SettingsForm::percent:
        return text + "%";
    case SettingsForm::degrees:
        return text + "\u00b0";
    case SettingsForm::plain:
        break;
    }
    return text;
}

} // namespace marrowvale
