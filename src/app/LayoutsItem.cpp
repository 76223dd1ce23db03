#include "app/LayoutsItem.h"

#include "model/Identifier.h"

#include <array>
#include <cctype>
#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace marrowvale {

namespace {

struct FlagField {
    ColumnCheckbox checkbox;
    const char* key;
    bool LayoutsItem::*member;
};

// Declaration order; "thumbnailWidthPopup" sits between the thumbnails and keep flags.
constexpr std::array<FlagField, 25> flagFields = {{
    {ColumnCheckbox::rowNumbers, "rowNumbersColumnCheckbox",
     &LayoutsItem::rowNumbersColumnCheckbox},
    {ColumnCheckbox::thumbnails, "thumbnailsColumnCheckbox",
     &LayoutsItem::thumbnailsColumnCheckbox},
    {ColumnCheckbox::keepThumbnails, "keepThumbnailsCheckbox",
     &LayoutsItem::keepThumbnailsCheckbox},
    {ColumnCheckbox::track, "trackColumnCheckbox", &LayoutsItem::trackColumnCheckbox},
    {ColumnCheckbox::enabled, "enabledColumnCheckbox", &LayoutsItem::enabledColumnCheckbox},
    {ColumnCheckbox::in, "inColumnCheckbox", &LayoutsItem::inColumnCheckbox},
    {ColumnCheckbox::out, "outColumnCheckbox", &LayoutsItem::outColumnCheckbox},
    {ColumnCheckbox::duration, "durationColumnCheckbox", &LayoutsItem::durationColumnCheckbox},
    {ColumnCheckbox::srcReel, "srcReelColumnCheckbox", &LayoutsItem::srcReelColumnCheckbox},
    {ColumnCheckbox::srcIn, "srcInColumnCheckbox", &LayoutsItem::srcInColumnCheckbox},
    {ColumnCheckbox::srcOut, "srcOutColumnCheckbox", &LayoutsItem::srcOutColumnCheckbox},
    {ColumnCheckbox::srcDuration, "srcDurationColumnCheckbox",
     &LayoutsItem::srcDurationColumnCheckbox},
    {ColumnCheckbox::description, "descriptionColumnCheckbox",
     &LayoutsItem::descriptionColumnCheckbox},
    {ColumnCheckbox::scene, "sceneColumnCheckbox", &LayoutsItem::sceneColumnCheckbox},
    {ColumnCheckbox::shottake, "shottakeColumnCheckbox", &LayoutsItem::shottakeColumnCheckbox},
    {ColumnCheckbox::lognote, "lognoteColumnCheckbox", &LayoutsItem::lognoteColumnCheckbox},
    {ColumnCheckbox::cameraroll, "camerarollColumnCheckbox",
     &LayoutsItem::camerarollColumnCheckbox},
    {ColumnCheckbox::dailyroll, "dailyrollColumnCheckbox", &LayoutsItem::dailyrollColumnCheckbox},
    {ColumnCheckbox::labroll, "labrollColumnCheckbox", &LayoutsItem::labrollColumnCheckbox},
    {ColumnCheckbox::labels, "labelsColumnsCheckbox", &LayoutsItem::labelsColumnsCheckbox},
    {ColumnCheckbox::framerate, "framerateColumnCheckbox", &LayoutsItem::framerateColumnCheckbox},
    {ColumnCheckbox::frameSize, "frameSizeColumnCheckbox", &LayoutsItem::frameSizeColumnCheckbox},
    {ColumnCheckbox::srcFileName, "srcFileNameColumnCheckbox",
     &LayoutsItem::srcFileNameColumnCheckbox},
    {ColumnCheckbox::srcFilePath, "srcFilePathColumnCheckbox",
     &LayoutsItem::srcFilePathColumnCheckbox},
    {ColumnCheckbox::id3Metadata, "id3MetadataColumnCheckbox",
     &LayoutsItem::id3MetadataColumnCheckbox},
}};

const FlagField& fieldOf(ColumnCheckbox checkbox) {
    return flagFields[static_cast<std::size_t>(checkbox)];
}

// A UUID in its 36-character form, any case; given back in upper case.
std::optional<std::string> normalizedUuid(const std::string& text) {
    if (text.size() != 36)
        return std::nullopt;
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        unsigned char c = static_cast<unsigned char>(upper[i]);
        if (hyphen ? c != '-' : !std::isxdigit(c))
            return std::nullopt;
        upper[i] = static_cast<char>(std::toupper(c));
    }
    return upper;
}

void setError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

} // namespace

LayoutsItem LayoutsItem::makeNew(std::string name) {
    LayoutsItem item;
    item.id = makeUpperCaseUUID();
    item.name = std::move(name);
    return item;
}

bool& LayoutsItem::flag(ColumnCheckbox checkbox) {
    return this->*(fieldOf(checkbox).member);
}

bool LayoutsItem::flag(ColumnCheckbox checkbox) const {
    return this->*(fieldOf(checkbox).member);
}

nlohmann::ordered_json LayoutsItem::toJson() const {
    nlohmann::ordered_json object;
    object["id"] = id;
    object["name"] = name;
    for (const FlagField& field : flagFields) {
        object[field.key] = this->*(field.member);
        if (field.checkbox == ColumnCheckbox::thumbnails)
            object["thumbnailWidthPopup"] = thumbnailWidthPopup;
    }
    return object;
}

std::optional<LayoutsItem> LayoutsItem::fromJson(const nlohmann::json& object, std::string* error) {
    if (!object.is_object()) {
        setError(error, "a layout is not a JSON object");
        return std::nullopt;
    }
    auto text = [&](const char* key) -> const std::string* {
        auto found = object.find(key);
        if (found == object.end() || !found->is_string()) {
            setError(error, fmt::format("the key \"{}\" is missing or not a string", key));
            return nullptr;
        }
        return found->get_ptr<const std::string*>();
    };

    LayoutsItem item;
    const std::string* id = text("id");
    if (!id)
        return std::nullopt;
    auto uuid = normalizedUuid(*id);
    if (!uuid) {
        setError(error, fmt::format("\"{}\" is not a UUID", *id));
        return std::nullopt;
    }
    item.id = *uuid;
    const std::string* name = text("name");
    const std::string* width = name ? text("thumbnailWidthPopup") : nullptr;
    if (!width)
        return std::nullopt;
    item.name = *name;
    item.thumbnailWidthPopup = *width;
    for (const FlagField& field : flagFields) {
        auto found = object.find(field.key);
        if (found == object.end() || !found->is_boolean()) {
            setError(error, fmt::format("the key \"{}\" is missing or not a boolean", field.key));
            return std::nullopt;
        }
        item.*(field.member) = found->get<bool>();
    }
    return item;
}

std::string LayoutsItem::debugDescription() const {
    std::string flags;
    for (const FlagField& field : flagFields)
        flags += (this->*(field.member)) ? '1' : '0';
    return fmt::format("LayoutsItem(id: {}, name: \"{}\", width: \"{}\", columns: {})", id, name,
                       thumbnailWidthPopup, flags);
}

std::string encodeLayouts(const std::vector<LayoutsItem>& layouts) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const LayoutsItem& layout : layouts)
        array.push_back(layout.toJson());
    // Replacement keeps a name that is not valid UTF-8 from making the whole file unwritable.
    return array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::optional<std::vector<LayoutsItem>> decodeLayouts(std::string_view json, std::string* error) {
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(json);
    } catch (const nlohmann::json::parse_error& failure) {
        setError(error, fmt::format("it is not valid JSON (at byte {})", failure.byte));
        return std::nullopt;
    } catch (const nlohmann::json::exception&) {
        // The parser's other refusal: a number beyond what a double holds.
        setError(error, "it is not valid JSON (a number out of range)");
        return std::nullopt;
    }
    if (!document.is_array()) {
        setError(error, "it does not hold a list");
        return std::nullopt;
    }
    std::vector<LayoutsItem> layouts;
    layouts.reserve(document.size());
    for (const nlohmann::json& element : document) {
        std::string reason;
        auto layout = LayoutsItem::fromJson(element, &reason);
        if (!layout) {
            setError(error, fmt::format("layout {}: {}", layouts.size() + 1, reason));
            return std::nullopt;
        }
        layouts.push_back(std::move(*layout));
    }
    return layouts;
}

} // namespace marrowvale
