#include "xmeml/LoggingReader.h"

#include "DovovevoZavCore/NumberText.h"
#include "model/ModelContext.h"
#include "xmeml/XMEMLImport.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace marrowvale {

using dovovevozav::finiteNumberFromText;

std::string_view labelColorName(std::string_view pproColor) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> colours{{
        {"4281740498", "Red"},
        {"4289825711", "Purple"},
        {"4280578025", "Orange"},
        {"4281049552", "Yellow"},
        {"4294967295", "White"},
        {"4294741314", "Blue"},
        {"4292277273", "Turquoise"},
    }};
    for (const auto& [text, name] : colours) {
        if (text == pproColor) {
            return name;
        }
    }
    return "Green";
}

namespace {

void setIfPresent(std::string& field, std::optional<std::string_view> text) {
    if (text) {
        field.assign(*text);
    }
}

// The fields every marker has: name, notes and colour.
void readMarkerBasics(const XMEMLImport& import, NodeIndex marker, MarkedRange& range) {
    const XMEMLNames& n = import.names;
    range.name.assign(import.text(marker, {n.name}).value_or("Marker"));
    setIfPresent(range.notes, import.text(marker, {n.comment}));
    range.color.assign(labelColorName(import.text(marker, {n.pproColor}).value_or("default")));
}

double markerIn(const XMEMLImport& import, NodeIndex marker) {
    std::optional<std::string_view> text = import.text(marker, {import.names.in});
    return text ? finiteNumberFromText(*text).value_or(0) : 0;
}

std::optional<double> markerOut(const XMEMLImport& import, NodeIndex marker) {
    std::optional<std::string_view> text = import.text(marker, {import.names.out});
    return text ? finiteNumberFromText(*text) : std::nullopt;
}

} // namespace

void readClipLogging(XMEMLImport& import, NodeIndex clip, StoryElement& element) {
    const XMEMLNames& n = import.names;
    if (element.asset != nullptr) {
        setIfPresent(element.reel, import.reelOfFile(element.asset->id));
    }
    setIfPresent(element.descriptn, import.text(clip, {n.logginginfo, n.description}));
    setIfPresent(element.scene, import.text(clip, {n.logginginfo, n.scene}));
    setIfPresent(element.shottake, import.text(clip, {n.logginginfo, n.shottake}));
    setIfPresent(element.notes, import.text(clip, {n.logginginfo, n.lognote}));
    setIfPresent(element.label, import.text(clip, {n.labels, n.label2}));
}

void readSequenceLogging(XMEMLImport& import, NodeIndex sequence, Composition& composition) {
    const XMEMLNames& n = import.names;
    const std::array<std::pair<std::array<NameID, 2>, std::string_view>, 6> fields{{
        {{n.comments, n.premierecomment}, "premierecomment"},
        {{n.logginginfo, n.description}, "description"},
        {{n.logginginfo, n.scene}, "scene"},
        {{n.logginginfo, n.shottake}, "shottake"},
        {{n.logginginfo, n.lognote}, "lognote"},
        {{n.labels, n.label2}, "label"},
    }};
    for (const auto& [path, key] : fields) {
        if (auto text = import.text(sequence, {path[0], path[1]})) {
            composition.metadata.push_back(
                import.store.create<Metadata>(std::string(key), std::string(*text)));
        }
    }
}

void readClipMarkers(XMEMLImport& import, const std::vector<NodeIndex>& markers,
                     StoryElement& element) {
    const double firstFrame = element.firstFrame;
    const double sourceIn = element.srcInpoint.value_or(0);
    const double position = element.clipTimelinePosition;
    const double end = position + element.clipDuration;
    for (NodeIndex marker : markers) {
        MarkedRange* range = import.store.create<MarkedRange>(
            &element, "", "", std::vector<std::string>{}, "", 0.0, 0.0, 0.0, false);
        element.markedRanges.push_back(range);
        readMarkerBasics(import, marker, *range);
        double in = markerIn(import, marker);
        range->srcInpoint = firstFrame + in;
        if (std::optional<double> out = markerOut(import, marker); out && *out > -1) {
            range->duration = *out - in;
        }
        range->timelinePosition = range->srcInpoint + position - sourceIn;
        range->visible = position <= range->timelinePosition && range->timelinePosition <= end;
    }
}

void readSequenceMarkers(XMEMLImport& import, const std::vector<NodeIndex>& markers,
                         Composition& composition) {
    const double firstFrame = composition.firstFrame;
    for (NodeIndex marker : markers) {
        MarkedRange* range = import.store.create<MarkedRange>(
            nullptr, "", "", std::vector<std::string>{}, "", 0.0, 0.0, 0.0, true);
        composition.markers.push_back(range);
        readMarkerBasics(import, marker, *range);
        double in = markerIn(import, marker);
        range->timelinePosition = firstFrame + in;
        if (std::optional<double> out = markerOut(import, marker); out && *out != -1) {
            range->duration = *out - in;
        }
    }
}

} // namespace marrowvale
