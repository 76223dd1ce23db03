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
    if (text.size() != 36) {
        return std::nullopt;
    }
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        unsigned char c = static_cast<unsigned char>(upper[i]);
        if (hyphen ? c != '-' : !std::isxdigit(c)) {
            return std::nullopt;
        }
        upper[i] = static_cast<char>(std::toupper(c));
    }
    return upper;
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
        if (field.checkbox == ColumnCheckbox::thumbnails) {
            object["thumbnailWidthPopup"] = thumbnailWidthPopup;
        }
    }
    return object;
}

LayoutsItem LayoutsItem::fromJson(const nlohmann::json& object) {
    if (!object.is_object()) {
        throw LayoutsFileError("a layout is not a JSON object");
    }
    auto text = [&](const char* key) -> const std::string& {
        auto found = object.find(key);
        if (found == object.end() || !found->is_string()) {
            throw LayoutsFileError(fmt::format("the key \"{}\" is missing or not a string", key));
        }
        return found->get_ref<const std::string&>();
    };

    LayoutsItem item;
    const std::string& id = text("id");
    std::optional<std::string> uuid = normalizedUuid(id);
    if (!uuid) {
        throw LayoutsFileError(fmt::format("\"{}\" is not a UUID", id));
    }
    item.id = *uuid;
    item.name = text("name");
    item.thumbnailWidthPopup = text("thumbnailWidthPopup");
    for (const FlagField& field : flagFields) {
        auto found = object.find(field.key);
        if (found == object.end() || !found->is_boolean()) {
            throw LayoutsFileError(
                fmt::format("the key \"{}\" is missing or not a boolean", field.key));
        }
        item.*(field.member) = found->get<bool>();
    }
    return item;
}

std::string LayoutsItem::debugDescription() const {
    std::string flags;
    for (const FlagField& field : flagFields) {
        flags += (this->*(field.member)) ? '1' : '0';
    }
    return fmt::format("LayoutsItem(id: {}, name: \"{}\", width: \"{}\", columns: {})", id, name,
                       thumbnailWidthPopup, flags);
}

std::string encodeLayouts(const std::vector<LayoutsItem>& layouts) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const LayoutsItem& layout : layouts) {
        array.push_back(layout.toJson());
    }
    // Replacement keeps a name that is not valid UTF-8 from making the whole file unwritable.
    return array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::vector<LayoutsItem> decodeLayouts(std::string_view json) {
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(json);
    } catch (const nlohmann::json::parse_error& failure) {
        throw LayoutsFileError(fmt::format("it is not valid JSON (at byte {})", failure.byte));
    } catch (const nlohmann::json::exception&) {
        // The parser's other refusal: a number beyond what a double holds.
        throw LayoutsFileError("it is not valid JSON (a number out of range)");
    }
    if (!document.is_array()) {
        throw LayoutsFileError("it does not hold a list");
    }
    std::vector<LayoutsItem> layouts;
    layouts.reserve(document.size());
    for (const nlohmann::json& element : document) {
        try {
            layouts.push_back(LayoutsItem::fromJson(element));
        } catch (const LayoutsFileError& failure) {
            throw LayoutsFileError(
                fmt::format("layout {}: {}", layouts.size() + 1, failure.what()));
        }
    }
    return layouts;
}

} // namespace marrowvale
