#include "otio/GeneratorTitles.h"

#include "app/ReaderHost.h"
#include "model/StoryElement.h"
#include "otio/OTIOImport.h"
#include "otio/TitleFont.h"
#include "otio/schema/Child.h"
#include "xmeml/TitleText.h"

#include <fmt/format.h>
#include <span>

namespace marrowvale {

namespace {

using ParameterMap = otio::AnyCodable::Dictionary;

// The parameter maps of the first Resolve entry of the item's generator parameters.
std::span<const ParameterMap> resolveParameterMaps(const otio::Child& item) {
    if (!item.mediaReferences) {
        return {};
    }
    const std::optional<otio::DefaultMediaParameters>& parameters =
        item.mediaReferences->defaultMedia.parameters;
    if (!parameters || !parameters->resolveOTIO || parameters->resolveOTIO->empty()) {
        return {};
    }
    return listOrEmpty(parameters->resolveOTIO->front().parameters);
}

const otio::AnyCodable* member(const ParameterMap& map, std::string_view key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

void makeTitle(StoryElement& element, std::map<std::string, std::string> params) {
    element.category = StoryElement::Category::title;
    element.params = std::move(params);
}

void applyResolveRules(OTIOImport& import, const otio::Child& item, StoryElement& element) {
    for (const ParameterMap& map : resolveParameterMaps(item)) {
        if (const otio::AnyCodable* html = member(map, "Title HTML")) {
            std::string problem;
            TitleFont title = titleFont(html->text(), &problem);
            if (html->text() && isTitleHTMLTooLarge(*html->text())) {
                // The title stays, but empty: the user must know its words are missing.
                import.host.showWarning(
                    fmt::format("The title \u201c{}\u201d is listed without its font and text: "
                                "its HTML is larger than the {} MiB that is read.",
                                item.name, maximumTitleHTMLSize >> 20));
            } else if (!problem.empty()) {
                import.host.logDiagnostic(problem);
            }
            makeTitle(element, {{"font", std::move(title.font)}, {"text", std::move(title.text)}});
        }
        const otio::AnyCodable* id = member(map, "Parameter ID");
        if (id && id->text() && *id->text() == "text") {
            // The text is this parameter's own value: the first value of any map could be
            // another parameter's, such as the font's name.
            const otio::AnyCodable* value = member(map, "Parameter Value");
            std::string text = value ? value->stringValue() : std::string();
            import.host.logDiagnostic("Parameter Value is: " + text);
            makeTitle(element, {{"text", std::move(text)}});
        }
    }
}

void applyPremiereRules(OTIOImport& import, const otio::Child& item, StoryElement& element) {
    for (const otio::Effect& effect : listOrEmpty(item.effects)) {
        const std::optional<otio::PProEffectMetadata>& block = effect.metadata.premiereproOTIO;
        if (!block) {
            continue;
        }
        for (const otio::PProEffectParameter& parameter : listOrEmpty(block->parameters)) {
            if (parameter.displayName != "Source Text") {
                continue;
            }
            const std::string* base64 =
                parameter.startValue ? parameter.startValue->value.text() : nullptr;
            std::string problem;
            auto [font, text] = printableStrings(base64 ? *base64 : std::string(), 4, &problem);
            if (!problem.empty()) {
                import.host.logDiagnostic("Source Text of \"" + item.name + "\": " + problem);
            }
            makeTitle(element, {{"font", std::move(font)}, {"text", std::move(text)}});
            break;
        }
    }
}

} // namespace

void applyGeneratorTitleRules(OTIOImport& import, const otio::Child& item, StoryElement& element) {
    applyResolveRules(import, item, element);
    applyPremiereRules(import, item, element);
}

} // namespace marrowvale
