#include "xmeml/TrackItemReader.h"

#include "DovovevoZavCore/NumberText.h"
#include "model/ModelContext.h"
#include "xmeml/ClipEffectsReader.h"
#include "xmeml/LoggingReader.h"
#include "xmeml/TimecodeRates.h"
#include "xmeml/TitleText.h"
#include "xmeml/XMEMLImport.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace marrowvale {

using dovovevozav::finiteNumberFromText;
using dovovevozav::TimecodeFrameRate;

namespace {

double numberOf(const XMEMLImport& import, NodeIndex node, NameID name) {
    if (node == XMEMLDocument::none) {
        return 0;
    }
    std::optional<std::string_view> text = import.text(node, {name});
    return text ? finiteNumberFromText(*text).value_or(0) : 0;
}

double rateQuotient(TimecodeFrameRate rate) {
    return rate.rate().doubleValue();
}

// The frames per second that a clip item's in and out count at: its own "rate" when it gives
// a usable timebase (a clip conformed to another rate), else the sequence's, with a warning
// when the item gave one that no picture runs at.
double inOutRateQuotient(XMEMLImport& import, NodeIndex item, TimecodeFrameRate sequence) {
    const XMEMLNames& n = import.names;
    std::optional<std::string_view> timebaseText = import.text(item, {n.rate, n.timebase});
    std::optional<std::int64_t> timebase =
        timebaseText ? frameTimebase(*timebaseText) : std::nullopt;
    if (!timebase) {
        if (timebaseText) {
            import.warnOfUnusableRate(*timebaseText);
        }
        return rateQuotient(sequence);
    }
    std::string ntsc(import.text(item, {n.rate, n.ntsc}).value_or("FALSE"));
    std::transform(ntsc.begin(), ntsc.end(), ntsc.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return static_cast<double>(*timebase) * (ntsc == "TRUE" ? 1000.0 / 1001.0 : 1.0);
}

// Names an item without a source file that stands for a slug or a title, and stores the
// title's font and text.
void readGeneratedClip(XMEMLImport& import, NodeIndex item, StoryElement& element) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    NodeIndex file = doc.descendant(item, n.file);
    if (file == XMEMLDocument::none) {
        return;
    }
    std::optional<std::string_view> source = import.text(file, {n.mediaSource});
    if (source == std::optional<std::string_view>("Slug")) {
        element.category = StoryElement::Category::generator;
        element.name = "Black Video";
        return;
    }
    if (source != std::optional<std::string_view>("GraphicAndType")) {
        return;
    }
    element.category = StoryElement::Category::generator;
    std::optional<std::string_view> effectName = import.text(item, {n.filter, n.effect, n.name});
    if (effectName) {
        element.name.assign(*effectName);
    }
    if (import.text(item, {n.filter, n.effect, n.parameter, n.name}) ==
        std::optional<std::string_view>("Source Text")) {
        element.category = StoryElement::Category::title;
        element.params["text"] = std::string(effectName.value_or(""));
    }
    std::vector<std::string> fonts;
    std::vector<std::string> texts;
    for (NodeIndex value : doc.allPaths(item, {n.filter, n.effect, n.parameter, n.value})) {
        auto [font, text] = printableStrings(doc.text(value), 4);
        if (!font.empty()) {
            fonts.push_back(std::move(font));
        }
        if (!text.empty()) {
            texts.push_back(std::move(text));
        }
    }
    if (texts.empty()) {
        return;
    }
    element.category = StoryElement::Category::title;
    std::string fontList;
    std::vector<std::string_view> seen;
    for (const std::string& font : fonts) {
        if (std::find(seen.begin(), seen.end(), font) != seen.end()) {
            continue;
        }
        fontList += seen.empty() ? "" : ", ";
        fontList += font;
        seen.push_back(font);
    }
    std::string textList;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        textList += i == 0 ? "" : "\n";
        textList += texts[i];
    }
    element.params = {{"font", std::move(fontList)}, {"text", std::move(textList)}};
}

// The steps every track item takes; returns the clip item's source range, none for the other
// kinds of item.
std::optional<SourceRange> readItem(XMEMLImport& import, NodeIndex item, StoryElement& element,
                                    const SequenceTiming& sequence, bool video) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    const NameID tag = doc.name(item);

    NodeIndex nameNode = doc.descendant(item, n.name);
    element.name = nameNode != XMEMLDocument::none ? std::string(doc.text(nameNode))
                                                   : std::string(doc.tag(item));
    if (import.text(item, {n.enabled}) == std::optional<std::string_view>("FALSE")) {
        element.enabled = false;
    }

    double start = numberOf(import, item, n.start);
    if (start == -1) {
        start = numberOf(import, doc.previousSiblingElement(item), n.start);
    }
    element.clipTimelinePosition = start + sequence.startFrame;
    double end = numberOf(import, item, n.end);
    if (end == -1) {
        end = numberOf(import, doc.nextSiblingElement(item), n.end);
    }
    element.clipDuration = end - start;

    if (tag == n.transitionitem) {
        element.category = StoryElement::Category::transition;
    }
    if (tag != n.clipitem) {
        return std::nullopt;
    }

    element.category = StoryElement::Category::assetclip;
    element.id.assign(import.attribute(item, n.idAttribute).value_or(""));
    SourceRange range{numberOf(import, item, n.in), numberOf(import, item, n.out)};

    std::string_view fileID = "MISSING";
    NodeIndex file = doc.descendant(item, n.file);
    if (file != XMEMLDocument::none) {
        fileID = import.attribute(file, n.idAttribute).value_or("MISSING");
    }
    double firstFrame = 0;
    // Without a source file, in and out are timeline frames: the sequence's rate labels them.
    TimecodeFrameRate rate = sequence.rate;
    if (Asset* asset = import.assetWithID(fileID)) {
        element.asset = asset;
        firstFrame = asset->firstFrame;
        rate = TimecodeFrameRate::fromRawValue(asset->timecodeFrameRate).value_or(rate);
        // The source counts frames at its own rate. An audio item converts too when its file
        // has pictures, so both halves of a clip agree; an audio-only file's rate is a stand-in.
        const bool hasPictures =
            asset->category == Asset::Category::AV || asset->category == Asset::Category::Video;
        const double from = inOutRateQuotient(import, item, sequence.rate);
        const double to = rateQuotient(rate);
        if ((video || hasPictures) && from != to) {
            range.in = range.in / from * to;
            range.out = range.out / from * to;
        }
        if (element.name.empty()) {
            element.name = asset->name;
        }
        if (asset->category == Asset::Category::Image) {
            element.category = StoryElement::Category::stillImage;
        }
    } else if (video) {
        readGeneratedClip(import, item, element);
    }
    element.timecodeFrameRate = std::string(rate.rawValue());
    element.firstFrame = firstFrame;
    element.srcInpoint = firstFrame + range.in;
    element.srcDuration = range.out - range.in;
    return range;
}

void readLoggingAndMarkers(XMEMLImport& import, NodeIndex item, StoryElement& element) {
    readClipLogging(import, item, element);
    readClipMarkers(import, import.doc.children(item, import.names.marker), element);
}

} // namespace

void readVideoItem(XMEMLImport& import, NodeIndex item, StoryElement& element,
                   const SequenceTiming& sequence) {
    std::optional<SourceRange> range = readItem(import, item, element, sequence, true);
    readLoggingAndMarkers(import, item, element);
    storeMotionFilters(import, item, element, range);
}

void readAudioItem(XMEMLImport& import, NodeIndex item, StoryElement& element,
                   const SequenceTiming& sequence) {
    std::optional<SourceRange> range = readItem(import, item, element, sequence, false);
    readLoggingAndMarkers(import, item, element);
    storeAudioFilters(import, item, element, range);
}

} // namespace marrowvale
