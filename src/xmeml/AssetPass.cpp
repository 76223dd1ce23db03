#include "xmeml/AssetPass.h"

#include "DovovevoZavCore/NumberText.h"
#include "app/ReaderHost.h"
#include "model/Identifier.h"
#include "model/ModelContext.h"
#include "xmeml/TimecodeRates.h"
#include "xmeml/VideoFormatReader.h"
#include "xmeml/XMEMLImport.h"

#include <filesystem>
#include <fmt/format.h>
#include <system_error>

namespace marrowvale {

using dovovevozav::finiteNumberFromText;

std::optional<std::string> assetURL(std::string_view pathurl) {
    if (pathurl.empty()) {
        return std::nullopt;
    }
    for (char c : pathurl) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return std::nullopt;
        }
    }
    constexpr std::string_view localhost = "file://localhost";
    if (pathurl.starts_with(localhost)) {
        std::string_view rest = pathurl.substr(localhost.size());
        if (rest.empty() || rest.front() == '/') {
            return "file://" + std::string(rest);
        }
    }
    return std::string(pathurl);
}

namespace {

// The last piece of the text between slashes that is not empty; empty when there is none.
std::string lastPathPiece(std::string_view text) {
    while (!text.empty() && text.back() == '/') {
        text.remove_suffix(1);
    }
    std::size_t slash = text.rfind('/');
    return std::string(slash == std::string_view::npos ? text : text.substr(slash + 1));
}

// Whether the URL names a file on this machine that exists; a file on another host, or a path
// whose escapes hide a NUL, is never looked for.
bool fileExists(std::string_view url) {
    const std::optional<std::string> path = Asset::localPathOfURL(url);
    if (!path || path->empty()) {
        return false;
    }
    std::error_code error;
    return std::filesystem::exists(*path, error);
}

void storeAsset(XMEMLImport& import, NodeIndex pathurl) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    const NodeIndex file = doc.parent(pathurl);

    VideoFormat* format = import.defaultVideoFormat;
    std::string frameSize;
    NodeIndex sc = doc.path(file, {n.media, n.video, n.samplecharacteristics});
    if (sc != XMEMLDocument::none) {
        format = readFileVideoFormat(import, sc, file);
        frameSize = fmt::format("{} X {}", format->width, format->height);
    }
    std::string audioRate(
        import.text(file, {n.media, n.audio, n.samplecharacteristics, n.samplerate}).value_or(""));

    Asset* asset = import.store.create<Asset>();
    asset->videoFormat = format;
    asset->frameSize = std::move(frameSize);
    asset->audioRate = std::move(audioRate);

    std::optional<std::string_view> id = import.attribute(file, n.idAttribute);
    asset->id = id ? std::string(*id) : makeUpperCaseUUID();

    std::string_view pathurlText = doc.text(pathurl);
    asset->url = assetURL(pathurlText);
    if (asset->url) {
        asset->online = fileExists(*asset->url);
    }

    std::optional<std::string_view> name = import.text(file, {n.name});
    asset->name = name ? std::string(*name) : lastPathPiece(pathurlText);

    bool dropFrame = import.text(file, {n.timecode, n.displayformat}).value_or("NDF") == "DF";
    dovovevozav::TimecodeFrameRate rate = timecodeRateOfFormat(*format, dropFrame);
    asset->timecodeFrameRate = std::string(rate.rawValue());

    NodeIndex duration = doc.descendant(file, n.duration);
    if (duration != XMEMLDocument::none) {
        asset->duration = finiteNumberFromText(doc.text(duration)).value_or(0);
    }

    if (auto frame = import.text(file, {n.timecode, n.frame})) {
        asset->firstFrame = finiteNumberFromText(*frame).value_or(0);
    } else if (auto timecode = import.text(file, {n.timecode, n.string})) {
        asset->firstFrame = framesOfTimecodeText(*timecode, rate).value_or(0);
    }

    bool hasVideo = doc.path(file, {n.media, n.video}) != XMEMLDocument::none;
    bool hasAudio = doc.path(file, {n.media, n.audio}) != XMEMLDocument::none;
    if (hasVideo && hasAudio) {
        asset->category = Asset::Category::AV;
    } else if (hasAudio) {
        asset->category = Asset::Category::Audio;
    } else if (hasVideo) {
        asset->category = asset->duration > 0 ? Asset::Category::Video : Asset::Category::Image;
    }
}

} // namespace

void storeAssets(XMEMLImport& import, double assetsShare) {
    import.defaultVideoFormat = storeDefaultVideoFormat(import.store);

    // Every "pathurl" child of a "file" element; the element array is in document order.
    const XMEMLDocument& doc = import.doc;
    std::vector<NodeIndex> pathurls;
    for (NodeIndex node = 0; node < doc.size(); ++node) {
        if (doc.name(node) == import.names.pathurl && doc.parent(node) != XMEMLDocument::none &&
            doc.name(doc.parent(node)) == import.names.file) {
            pathurls.push_back(node);
        }
    }
    if (pathurls.empty()) {
        return;
    }
    const double step = assetsShare / static_cast<double>(pathurls.size());
    for (NodeIndex pathurl : pathurls) {
        import.host.updateProgress(step);
        storeAsset(import, pathurl);
    }
}

} // namespace marrowvale
