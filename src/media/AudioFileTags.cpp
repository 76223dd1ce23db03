#include "media/AudioFileTags.h"

#include "media/MediaError.h"
#include "media/MediaFileTagStream.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <taglib/aifffile.h>
#include <taglib/apetag.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>
#include <utility>
#include <vector>

namespace marrowvale {

namespace {

/// One tag item: a key (TagLib's property name, or the format's own key) and its text.
struct TagItem {
    std::string key;
    std::string value;
};

using Field = std::string AudioFileTags::*;

// Keys that fill a field: TagLib's property names, and the own keys that some files give.
constexpr std::array<std::pair<std::string_view, Field>, 20> fieldOfKey{{
    {"TITLE", &AudioFileTags::title},
    {"ALBUM", &AudioFileTags::album},
    {"TRACKNUMBER", &AudioFileTags::track},
    {"info-track number", &AudioFileTags::track},
    {"TRCK", &AudioFileTags::track},
    {"DATE", &AudioFileTags::year},
    {"YEAR", &AudioFileTags::year},
    {"info-year", &AudioFileTags::year},
    {"TYER", &AudioFileTags::year},
    {"TDRC", &AudioFileTags::year},
    {"GENRE", &AudioFileTags::genre},
    {"info-genre", &AudioFileTags::genre},
    {"ARTIST", &AudioFileTags::artist},
    {"COMPOSER", &AudioFileTags::composer},
    {"info-composer", &AudioFileTags::composer},
    {"LABEL", &AudioFileTags::publisher},
    {"PUBLISHER", &AudioFileTags::publisher},
    {"ORGANIZATION", &AudioFileTags::publisher},
    // RIFF INFO chunks TagLib gives no property name for.
    {"IMUS", &AudioFileTags::composer},
    {"IPUB", &AudioFileTags::publisher},
}};

// RIFF INFO chunk names with a TagLib property name.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> propertyOfInfoChunk{{
    {"INAM", "TITLE"},
    {"IPRD", "ALBUM"},
    {"IART", "ARTIST"},
    {"IPRT", "TRACKNUMBER"},
    {"ITRK", "TRACKNUMBER"},
    {"ICRD", "DATE"},
    {"IGNR", "GENRE"},
    {"ICMT", "COMMENT"},
    {"ICOP", "COPYRIGHT"},
}};

std::string utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

std::string joined(const TagLib::StringList& values) {
    std::string text;
    for (const TagLib::String& value : values) {
        text += text.empty() ? "" : ", ";
        text += utf8(value);
    }
    return text;
}

void addProperties(const TagLib::PropertyMap& properties, std::vector<TagItem>& items) {
    for (const auto& [key, values] : properties) {
        items.push_back({utf8(key), joined(values)});
    }
}

// One item per frame, in stored order. Text frames take TagLib's property names (a user text
// frame its description's, so only one described "YEAR" or "DATE" gives the year); other
// frames keep their ID.
void addFrames(const TagLib::ID3v2::Tag& tag, std::vector<TagItem>& items) {
    for (const TagLib::ID3v2::Frame* frame : tag.frameList()) {
        TagLib::PropertyMap properties;
        if (const auto* user =
                dynamic_cast<const TagLib::ID3v2::UserTextIdentificationFrame*>(frame)) {
            properties = user->asProperties();
        } else if (const auto* text =
                       dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frame)) {
            properties = text->asProperties();
        }
        if (properties.isEmpty()) {
            const TagLib::ByteVector id = frame->frameID();
            items.push_back({std::string(id.data(), id.size()), utf8(frame->toString())});
        } else {
            addProperties(properties, items);
        }
    }
}

void addInfoChunks(const TagLib::RIFF::Info::Tag& tag, std::vector<TagItem>& items) {
    for (const auto& [id, value] : tag.fieldListMap()) {
        std::string key(id.data(), id.size());
        for (const auto& [chunk, property] : propertyOfInfoChunk) {
            if (key == chunk) {
                key = property;
            }
        }
        items.push_back({std::move(key), utf8(value)});
    }
}

// Every tag item of the file, the weaker tags first.
std::vector<TagItem> tagItems(TagLib::File& file) {
    std::vector<TagItem> items;
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        if (mpeg->hasID3v1Tag()) {
            addProperties(mpeg->ID3v1Tag()->properties(), items);
        }
        if (mpeg->hasAPETag()) {
            addProperties(mpeg->APETag()->properties(), items);
        }
        if (mpeg->hasID3v2Tag()) {
            addFrames(*mpeg->ID3v2Tag(), items);
        }
    } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        if (flac->hasID3v1Tag()) {
            addProperties(flac->ID3v1Tag()->properties(), items);
        }
        if (flac->hasID3v2Tag()) {
            addFrames(*flac->ID3v2Tag(), items);
        }
        if (flac->hasXiphComment()) {
            addProperties(flac->xiphComment()->properties(), items);
        }
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        if (wav->hasInfoTag()) {
            addInfoChunks(*wav->InfoTag(), items);
        }
        if (wav->hasID3v2Tag()) {
            addFrames(*wav->ID3v2Tag(), items);
        }
    } else if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(&file)) {
        if (aiff->hasID3v2Tag()) {
            addFrames(*aiff->tag(), items);
        }
    } else {
        addProperties(file.properties(), items);
    }
    return items;
}

} // namespace

AudioFileTags readAudioFileTags(const std::filesystem::path& path, std::ostream* diagnostics) {
    AudioFileTags fields;
    std::optional<MediaFileTagStream> stream;
    try {
        stream.emplace(MediaFile::open(path));
    } catch (const MediaError&) {
        return fields;
    }
    const TagLib::FileRef file(&*stream, false);
    if (file.isNull()) {
        return fields;
    }
    for (TagItem& item : tagItems(*file.file())) {
        Field field = nullptr;
        for (const auto& [key, target] : fieldOfKey) {
            if (item.key == key) {
                field = target;
                break;
            }
        }
        if (field != nullptr) {
            fields.*field = std::move(item.value);
        } else if (diagnostics != nullptr) {
            *diagnostics << "***  skip " << item.key << ' ' << item.value << '\n';
        }
    }
    return fields;
}

} // namespace marrowvale
