#include "xmeml/XMEMLImport.h"

#include "model/ModelContext.h"
#include "model/VideoFormat.h"

#include <fmt/format.h>

namespace marrowvale {

namespace {

// The properties that make two formats equal, as one text; XML text never holds a NUL, so the
// separators cannot be confused with the texts.
std::string videoFormatKey(std::string_view rate, std::int64_t width, std::int64_t height,
                           bool anamorphic, std::string_view fieldOrder,
                           std::string_view pixelAspectRatio) {
    std::string key(rate);
    key += '\0';
    key += std::to_string(width);
    key += '\0';
    key += std::to_string(height);
    key += '\0';
    key += anamorphic ? '1' : '0';
    key += '\0';
    key += fieldOrder;
    key += '\0';
    key += pixelAspectRatio;
    return key;
}

// What a rate text not seen before in `named` calls for: a warning that names it while fewer
// than `mostRateWarnings` have been named, then one saying there are more, then nothing.
enum class RateWarning { none, named, more };

RateWarning nextRateWarning(std::unordered_set<std::string>& named, std::string_view timebase) {
    // A few lines say it; a document of thousands of such rates must not bury the rest.
    if (named.size() > XMEMLImport::mostRateWarnings ||
        !named.insert(std::string(timebase)).second) {
        return RateWarning::none;
    }
    return named.size() > XMEMLImport::mostRateWarnings ? RateWarning::more : RateWarning::named;
}

// The text as written, cut short on a character boundary: it can be anything.
std::string shownTimebase(std::string_view timebase) {
    constexpr std::size_t shown = 40;
    std::string written(timebase.substr(0, shown));
    if (timebase.size() > shown) {
        while (!written.empty() &&
               (static_cast<unsigned char>(timebase[written.size()]) & 0xC0) == 0x80) {
            written.pop_back();
        }
        written += "\u2026";
    }
    return written;
}

} // namespace

XMEMLImport::XMEMLImport(const XMEMLDocument& document, ModelContext& context,
                         ReaderHost& readerHost)
    : doc(document), names(document), store(context), host(readerHost) {}

void XMEMLImport::warnOfUnusableRate(std::string_view timebase) {
    switch (nextRateWarning(unusableRates_, timebase)) {
    case RateWarning::none:
        return;
    case RateWarning::more:
        warnings.emplace_back("More clips\u2019 rates are not frame rates; times at those rates "
                              "are read at the rate of their sequence too.");
        return;
    case RateWarning::named:
        warnings.push_back(fmt::format("A clip\u2019s rate (timebase {}) is not a frame rate; "
                                       "times at that rate are read at the rate of their "
                                       "sequence.",
                                       shownTimebase(timebase)));
        return;
    }
}

void XMEMLImport::warnOfUnusableSequenceRate(std::string_view timebase, std::string_view standIn) {
    switch (nextRateWarning(unusableSequenceRates_, timebase)) {
    case RateWarning::none:
        return;
    case RateWarning::more:
        warnings.emplace_back("More sequences\u2019 rates are not frame rates; those sequences "
                              "are read at a stand-in rate too.");
        return;
    case RateWarning::named:
        warnings.push_back(fmt::format("A sequence\u2019s rate (timebase {}) is not a frame "
                                       "rate; the sequence is read at {}.",
                                       shownTimebase(timebase), standIn));
        return;
    }
}

void XMEMLImport::indexAssets() {
    assetsById_.clear();
    for (Asset* asset : store.fetchAll<Asset>()) {
        assetsById_.emplace(asset->id, asset);
    }
}

Asset* XMEMLImport::assetWithID(std::string_view id) const {
    auto found = assetsById_.find(id);
    return found == assetsById_.end() ? nullptr : found->second;
}

std::optional<std::string_view> XMEMLImport::reelOfFile(std::string_view fileID) {
    if (!reelsByFileId_) {
        // One walk over the document: file definitions come in document order, so the first
        // one with a reel name for an identifier is the one kept.
        reelsByFileId_.emplace();
        for (NodeIndex node = 0; node < doc.size(); ++node) {
            if (doc.name(node) != names.file) {
                continue;
            }
            std::optional<std::string_view> id = doc.attribute(node, names.idAttribute);
            if (!id || reelsByFileId_->contains(*id)) {
                continue;
            }
            NodeIndex reelName = doc.path(node, {names.timecode, names.reel, names.name});
            if (reelName != XMEMLDocument::none) {
                reelsByFileId_->emplace(std::string(*id), reelName);
            }
        }
    }
    auto found = reelsByFileId_->find(fileID);
    if (found == reelsByFileId_->end()) {
        return std::nullopt;
    }
    return doc.text(found->second);
}

VideoFormat* XMEMLImport::videoFormatWith(std::string_view rate, std::int64_t width,
                                          std::int64_t height, bool anamorphic,
                                          std::string_view fieldOrder,
                                          std::string_view pixelAspectRatio) {
    if (!videoFormatsByProperties_) {
        videoFormatsByProperties_.emplace();
        videoFormatCount_ = 0;
        for (VideoFormat* format : store.fetchAll<VideoFormat>()) {
            addVideoFormat(format);
        }
    }
    auto found = videoFormatsByProperties_->find(
        videoFormatKey(rate, width, height, anamorphic, fieldOrder, pixelAspectRatio));
    return found == videoFormatsByProperties_->end() ? nullptr : found->second;
}

void XMEMLImport::addVideoFormat(VideoFormat* format) {
    ++videoFormatCount_;
    if (videoFormatsByProperties_) {
        // The first of equal formats stays the one found.
        videoFormatsByProperties_->emplace(
            videoFormatKey(format->videoFrameRate, format->width, format->height,
                           format->anamorphic, format->fieldOrder, format->pixelAspectRatio),
            format);
    }
}

} // namespace marrowvale
