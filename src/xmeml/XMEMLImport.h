#pragma once

#include "xmeml/XMEMLDocument.h"
#include "xmeml/XMEMLNames.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace marrowvale {

class Asset;
class ModelContext;
class ReaderHost;
class VideoFormat;

/// The working state of one XMEML import, shared by its passes: the parsed document with its
/// resolved names, the store being filled, the host that shows progress, and the lookups that
/// are built once per import so that no item ever searches the whole document or store.
class XMEMLImport {
public:
    /// An import of the document into the store, reporting progress to the host.
    XMEMLImport(const XMEMLDocument& doc, ModelContext& store, ReaderHost& host);

    const XMEMLDocument& doc;
    const XMEMLNames names;
    ModelContext& store;
    ReaderHost& host;

    /// The stand-in format of files and sequences that declare none, made for this import.
    VideoFormat* defaultVideoFormat = nullptr;
    /// Noteworthy lines for the caller's log (nothing per item).
    std::vector<std::string> diagnostics;
    /// Lines the user should see although the import goes on (nothing per item).
    std::vector<std::string> warnings;

    /// Warns, once for each distinct text, that a clip's or file's timebase is no frame rate
    /// and that the times counted at it are read at the rate of their sequence; past
    /// `mostRateWarnings` such texts, one last line says there are more.
    void warnOfUnusableRate(std::string_view timebase);
    /// Warns, once for each distinct text, that a sequence's timebase is no frame rate and that
    /// the sequence is read at `standIn`, the rate that replaces it; past `mostRateWarnings`
    /// such texts, one last line says there are more.
    void warnOfUnusableSequenceRate(std::string_view timebase, std::string_view standIn);
    /// The most unusable timebases named one by one in an import's warnings.
    static constexpr std::size_t mostRateWarnings = 5;

    /// The text of the first element on the child path below `node`; none when none matches.
    std::optional<std::string_view> text(NodeIndex node, std::initializer_list<NameID> path) const {
        return doc.pathText(node, path);
    }
    /// The element's attribute; none when absent.
    std::optional<std::string_view> attribute(NodeIndex node, NameID name) const {
        return doc.attribute(node, name);
    }

    /// Indexes the stored assets by identifier, keeping the first of equal identifiers (the one
    /// a search in store order finds). Called once, after the asset pass.
    void indexAssets();
    /// The first stored asset with exactly this identifier, or null.
    Asset* assetWithID(std::string_view id) const;
    /// The reel name of the first file definition with this identifier that has one
    /// ("timecode/reel/name"), wherever it stands in the document; none when no definition has.
    std::optional<std::string_view> reelOfFile(std::string_view fileID);

    /// The first stored format with this rate text, size, anamorphic flag, field order and pixel
    /// aspect ratio (texts compared exactly), or null. The store's formats are indexed on first
    /// use; formats stored later are added with `addVideoFormat`.
    VideoFormat* videoFormatWith(std::string_view rate, std::int64_t width, std::int64_t height,
                                 bool anamorphic, std::string_view fieldOrder,
                                 std::string_view pixelAspectRatio);
    /// Records a format just stored, so that `videoFormatWith` finds it.
    void addVideoFormat(VideoFormat* format);
    /// How many formats the store holds, once `videoFormatWith` has run.
    std::size_t videoFormatCount() const { return videoFormatCount_; }

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };
    using TextMap = std::unordered_map<std::string, NodeIndex, TextHash, std::equal_to<>>;

    std::unordered_map<std::string, Asset*, TextHash, std::equal_to<>> assetsById_;
    std::optional<TextMap> reelsByFileId_;
    std::optional<std::unordered_map<std::string, VideoFormat*>> videoFormatsByProperties_;
    std::size_t videoFormatCount_ = 0;
    std::unordered_set<std::string> unusableRates_;
    std::unordered_set<std::string> unusableSequenceRates_;
};

} // namespace marrowvale
