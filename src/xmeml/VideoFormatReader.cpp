#include "xmeml/VideoFormatReader.h"

#include "DovovevoZavCore/NumberText.h"
#include "model/ModelContext.h"
#include "xmeml/XMEMLImport.h"

#include <fmt/format.h>
#include <optional>
#include <string>

namespace marrowvale {

using dovovevozav::Fraction;
using dovovevozav::VideoFrameRate;
using dovovevozav::integerFromText;

VideoFormat* storeDefaultVideoFormat(ModelContext& store) {
    return store.create<VideoFormat>(
        "ppr0", "FFVideoFormat720p2997",
        std::string(VideoFrameRate(VideoFrameRate::fps29_97p).rawValue()), 1280, 720, false, "none",
        "");
}

namespace {

std::string upperCased(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

// A frame size: the number when the element converts, `fallback` when it exists but does not,
// 0 when it is missing.
std::int64_t frameDimension(std::optional<std::string_view> text, std::int64_t fallback) {
    if (!text) {
        return 0;
    }
    return integerFromText(*text).value_or(fallback);
}

} // namespace

VideoFormat* readVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                             NodeIndex rateOwner) {
    if (sampleCharacteristics == XMEMLDocument::none) {
        return import.defaultVideoFormat;
    }
    const XMEMLNames& n = import.names;
    NodeIndex sc = sampleCharacteristics;

    // Some exporters give the rate only on the file or sequence itself; 30 would be a guess.
    NodeIndex rateSource = sc;
    if (rateOwner != XMEMLDocument::none && !import.text(sc, {n.rate, n.timebase}) &&
        import.text(rateOwner, {n.rate, n.timebase})) {
        rateSource = rateOwner;
    }
    std::string ntsc = upperCased(import.text(rateSource, {n.rate, n.ntsc}).value_or("FALSE"));
    std::int64_t timebase = 30;
    if (auto text = import.text(rateSource, {n.rate, n.timebase})) {
        timebase = integerFromText(*text).value_or(30);
    }
    // A timebase too large for the rate's numerator matches no rate, like any other unknown one.
    std::optional<VideoFrameRate> rate;
    if (timebase > 0 && timebase <= INT64_MAX / 1000) {
        rate = VideoFrameRate::matchingRate(Fraction(timebase * 1000, ntsc == "TRUE" ? 1001 : 1000),
                                            false);
    }
    std::string prefix;
    if (!rate) {
        import.diagnostics.push_back(
            fmt::format("Unknown frame rate (timebase {}, ntsc {}): 100p assumed", timebase, ntsc));
        rate = VideoFrameRate::fps100p;
        prefix = "10ms/";
    }
    std::int64_t width = frameDimension(import.text(sc, {n.width}), 1280);
    std::int64_t height = frameDimension(import.text(sc, {n.height}), 720);
    bool anamorphic = import.text(sc, {n.anamorphic}) == std::optional<std::string_view>("TRUE");
    std::string pixelAspectRatio(import.text(sc, {n.pixelaspectratio}).value_or(""));
    std::string fieldOrder(import.text(sc, {n.fielddominance}).value_or("none"));

    if (VideoFormat* existing = import.videoFormatWith(rate->rawValue(), width, height, anamorphic,
                                                       fieldOrder, pixelAspectRatio)) {
        return existing;
    }
    VideoFormat* format = import.store.create<VideoFormat>(
        fmt::format("{}f{}", prefix, import.videoFormatCount() + 1), "",
        std::string(rate->rawValue()), width, height, anamorphic, std::move(fieldOrder),
        std::move(pixelAspectRatio));
    import.addVideoFormat(format);
    return format;
}

} // namespace marrowvale
