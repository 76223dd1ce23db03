#include "xmeml/VideoFormatReader.h"

#include "DovovevoZavCore/NumberText.h"
#include "model/ModelContext.h"
#include "xmeml/TimecodeRates.h"
#include "xmeml/XMEMLImport.h"

#include <fmt/format.h>
#include <optional>
#include <string>

namespace marrowvale {

using dovovevozav::Fraction;
using dovovevozav::integerFromText;
using dovovevozav::VideoFrameRate;

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

// The "rate" element a format is read from: that of the characteristics, else that of their
// owner. Some exporters give the rate only on the file or sequence itself; 30 would be a guess.
NodeIndex rateSourceOf(const XMEMLImport& import, NodeIndex sc, NodeIndex rateOwner) {
    const XMEMLNames& n = import.names;
    if (rateOwner != XMEMLDocument::none && !import.text(sc, {n.rate, n.timebase}) &&
        import.text(rateOwner, {n.rate, n.timebase})) {
        return rateOwner;
    }
    return sc;
}

// What a "rate" element says: its timebase (30 when it gives none that converts), its NTSC
// flag and the picture rate they name, none when no rate has that timebase.
struct NamedRate {
    std::int64_t timebase = 30;
    std::string ntsc;
    std::optional<VideoFrameRate> rate;
};

NamedRate namedRate(const XMEMLImport& import, NodeIndex rateSource) {
    const XMEMLNames& n = import.names;
    NamedRate named;
    named.ntsc = upperCased(import.text(rateSource, {n.rate, n.ntsc}).value_or("FALSE"));
    if (auto text = import.text(rateSource, {n.rate, n.timebase})) {
        named.timebase = integerFromText(*text).value_or(30);
    }
    // A timebase too large for the rate's numerator matches no rate, like any other unknown one.
    if (named.timebase > 0 && named.timebase <= INT64_MAX / 1000) {
        named.rate = VideoFrameRate::matchingRate(
            Fraction(named.timebase * 1000, named.ntsc == "TRUE" ? 1001 : 1000), false);
    }
    return named;
}

// The picture rate of the sequence that holds `node` as its format gives it (100p for a rate no
// listed rate has); the default format's for a node outside any sequence, or in one without a
// format.
VideoFrameRate enclosingSequenceRate(const XMEMLImport& import, NodeIndex node) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    NodeIndex sequence = node;
    while (sequence != XMEMLDocument::none && doc.name(sequence) != n.sequence) {
        sequence = doc.parent(sequence);
    }
    const NodeIndex sc =
        sequence == XMEMLDocument::none
            ? XMEMLDocument::none
            : doc.path(sequence, {n.media, n.video, n.format, n.samplecharacteristics});
    if (sc == XMEMLDocument::none) {
        return VideoFrameRate::fps29_97p;
    }
    return namedRate(import, rateSourceOf(import, sc, sequence))
        .rate.value_or(VideoFrameRate::fps100p);
}

// The format with this rate and the rest of the characteristics: an equal stored one, else a
// new one.
VideoFormat* storeVideoFormat(XMEMLImport& import, NodeIndex sc, VideoFrameRate rate,
                              std::string_view prefix) {
    const XMEMLNames& n = import.names;
    std::int64_t width = frameDimension(import.text(sc, {n.width}), 1280);
    std::int64_t height = frameDimension(import.text(sc, {n.height}), 720);
    bool anamorphic = import.text(sc, {n.anamorphic}) == std::optional<std::string_view>("TRUE");
    std::string pixelAspectRatio(import.text(sc, {n.pixelaspectratio}).value_or(""));
    std::string fieldOrder(import.text(sc, {n.fielddominance}).value_or("none"));

    if (VideoFormat* existing = import.videoFormatWith(rate.rawValue(), width, height, anamorphic,
                                                       fieldOrder, pixelAspectRatio)) {
        return existing;
    }
    VideoFormat* format = import.store.create<VideoFormat>(
        fmt::format("{}f{}", prefix, import.videoFormatCount() + 1), "",
        std::string(rate.rawValue()), width, height, anamorphic, std::move(fieldOrder),
        std::move(pixelAspectRatio));
    import.addVideoFormat(format);
    return format;
}

// The format of the characteristics at the rate they name, 100p standing in for an unknown one.
VideoFormat* readNamedVideoFormat(XMEMLImport& import, NodeIndex sc, NodeIndex rateSource) {
    const NamedRate named = namedRate(import, rateSource);
    if (!named.rate) {
        import.diagnostics.push_back(fmt::format(
            "Unknown frame rate (timebase {}, ntsc {}): 100p assumed", named.timebase, named.ntsc));
        return storeVideoFormat(import, sc, VideoFrameRate::fps100p, "10ms/");
    }
    return storeVideoFormat(import, sc, *named.rate, "");
}

} // namespace

VideoFormat* readVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                             NodeIndex rateOwner) {
    if (sampleCharacteristics == XMEMLDocument::none) {
        return import.defaultVideoFormat;
    }
    return readNamedVideoFormat(import, sampleCharacteristics,
                                rateSourceOf(import, sampleCharacteristics, rateOwner));
}

VideoFormat* readSequenceVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                                     NodeIndex sequence) {
    if (sampleCharacteristics == XMEMLDocument::none) {
        return import.defaultVideoFormat;
    }
    const NodeIndex rateSource = rateSourceOf(import, sampleCharacteristics, sequence);
    const std::optional<std::string_view> timebase =
        import.text(rateSource, {import.names.rate, import.names.timebase});
    if (timebase && !frameTimebase(*timebase)) {
        // The stand-in stays what stored reports were read at; every time of the report rests
        // on it, so the user hears of it.
        import.warnOfUnusableSequenceRate(
            *timebase,
            namedRate(import, rateSource).rate.value_or(VideoFrameRate::fps100p).displayString());
    }
    return readNamedVideoFormat(import, sampleCharacteristics, rateSource);
}

VideoFormat* readFileVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                                 NodeIndex file) {
    const NodeIndex rateSource = rateSourceOf(import, sampleCharacteristics, file);
    const std::optional<std::string_view> timebase =
        import.text(rateSource, {import.names.rate, import.names.timebase});
    if (timebase && !frameTimebase(*timebase)) {
        import.warnOfUnusableRate(*timebase);
        return storeVideoFormat(import, sampleCharacteristics, enclosingSequenceRate(import, file),
                                "");
    }
    return readNamedVideoFormat(import, sampleCharacteristics, rateSource);
}

} // namespace marrowvale
