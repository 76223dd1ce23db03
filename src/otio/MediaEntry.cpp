#include "otio/MediaEntry.h"

#include "otio/MediaAddress.h"

namespace marrowvale {

std::optional<MediaEntry> mediaURL(const otio::Child& child, std::string_view trackKind) {
    if (!child.isClip()) {
        return std::nullopt;
    }
    std::string_view text;
    const otio::TimeRange* range = nullptr;
    if (child.mediaReferences && child.mediaReferences->defaultMedia.availableRange) {
        const otio::MediaReference& media = child.mediaReferences->defaultMedia;
        range = &*media.availableRange;
        if (media.targetURL) {
            text = *media.targetURL;
        } else if (media.metadata && media.metadata->resolveOTIO &&
                   media.metadata->resolveOTIO->mediaUrl) {
            text = *media.metadata->resolveOTIO->mediaUrl;
        }
    } else if (child.mediaReference && child.mediaReference->targetURL &&
               child.mediaReference->availableRange) {
        text = *child.mediaReference->targetURL;
        range = &*child.mediaReference->availableRange;
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> address = mediaAddress(text);
    if (!address) {
        return std::nullopt;
    }
    return MediaEntry{std::move(*address), *range, std::string(trackKind)};
}

} // namespace marrowvale
