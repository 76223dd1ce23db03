#include "otio/Markers.h"

#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "otio/FrameConversion.h"
#include "otio/OTIOImport.h"
#include "otio/TimelineRates.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeUpperLimit;

namespace {

// `text` with the first letter of every word in upper case and the others in lower case.
std::string capitalizedText(std::string_view text) {
    // Colour names are nearly always plain words: those need no word breaking.
    const bool plainWords = std::all_of(text.begin(), text.end(), [](char c) {
        return c == ' ' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    if (plainWords) {
        std::string result(text);
        bool wordStart = true;
        for (char& c : result) {
            if (c != ' ') {
                c = static_cast<char>(wordStart ? std::toupper(static_cast<unsigned char>(c))
                                                : std::tolower(static_cast<unsigned char>(c)));
            }
            wordStart = c == ' ';
        }
        return result;
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    unicode.toTitle(nullptr, icu::Locale::getRoot());
    std::string result;
    unicode.toUTF8String(result);
    return result;
}

// A range created with the marker's name and colour, attached to its owner by the caller.
MarkedRange* makeRange(OTIOImport& import, const otio::Marker& marker, StoryElement* clip) {
    return import.store.create<MarkedRange>(
        clip, marker.name, std::string(), std::vector<std::string>{}, capitalizedText(marker.color),
        0.0, 0.0, 0.0, clip == nullptr);
}

// Resolve's note and keywords, else Premiere Pro's comments.
void setNotes(const otio::Marker& marker, MarkedRange& range) {
    if (const std::optional<otio::DaVRMarkerMetadata>& resolve = marker.metadata.resolveOTIO) {
        range.notes = resolve->note;
        range.keywords = resolve->keywords;
    } else if (const std::optional<otio::PProMarkerMetadata>& premiere =
                   marker.metadata.premiereproOTIO) {
        range.notes = premiere->comments;
    }
}

// Media Composer's own colour of a marker; null when it has none.
const std::string* avidColor(const otio::Marker& marker) {
    const std::optional<otio::AvidMarkerMetadata>& avid = marker.metadata.avidOTIO;
    if (!avid || !avid->commentMarkerAttributeList || !avid->commentMarkerAttributeList->color) {
        return nullptr;
    }
    return &*avid->commentMarkerAttributeList->color;
}

} // namespace

void storeSequenceMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                          Composition& composition) {
    const dovovevozav::Fraction rate =
        TimecodeFrameRate::fromRawValue(composition.timecodeFrameRate)
            .value_or(TimecodeFrameRate::fps60)
            .rate();
    for (const otio::Marker& marker : markers) {
        MarkedRange* range = makeRange(import, marker, nullptr);
        composition.markers.push_back(range);
        if (range->name == "DescriptiveMarker") {
            range->name = "Marker";
        }
        range->timelinePosition =
            import.clipFrames(marker.markedRange.startTime, rate) + composition.firstFrame;
        const double duration = import.clipFrames(marker.markedRange.duration, rate);
        if (duration > 1) {
            range->duration = duration;
        }
        setNotes(marker, *range);
    }
}

void storeClipMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                      TimecodeFrameRate sequenceRate, StoryElement& element) {
    const TimecodeFrameRate clipRate =
        TimecodeFrameRate::fromRawValue(element.timecodeFrameRate).value_or(sequenceRate);
    const dovovevozav::Fraction rate = sequenceRate.rate();
    const double sourceIn = element.srcInpoint.value_or(0);
    const double clipStart = element.clipTimelinePosition;
    const double clipEnd = clipStart + element.clipDuration;
    // Premiere Pro counts a clip marker from the start of its media.
    const double sourceOffset = import.inputType == InputType::PProOTIO ? element.firstFrame : 0;
    for (const otio::Marker& marker : markers) {
        import.host.logDiagnostic(marker.name);
        MarkedRange* range = makeRange(import, marker, &element);
        element.markedRanges.push_back(range);
        if (const std::string* color = avidColor(marker)) {
            range->color = *color;
            if (range->name == "DescriptiveMarker") {
                range->name = "Marker";
            }
        }
        double start = import.clipFrames(marker.markedRange.startTime, rate);
        if (start < 0) {
            import.host.logDiagnostic(
                "WARNING: Marker's start is negative, which is weird. Setting to 0.");
            start = 0;
        }
        range->srcInpoint = convertedFrames(start + sourceOffset, sequenceRate, clipRate,
                                            TimecodeUpperLimit::max24Hours)
                                .value_or(0);
        range->timelinePosition = range->srcInpoint + clipStart - sourceIn;
        range->visible = clipStart <= range->timelinePosition && range->timelinePosition <= clipEnd;
        const double duration = import.clipFrames(marker.markedRange.duration, rate);
        if (duration > 0) {
            range->duration =
                convertedFrames(duration, sequenceRate, clipRate, TimecodeUpperLimit::max24Hours)
                    .value_or(0);
        }
        setNotes(marker, *range);
    }
}

} // namespace marrowvale
