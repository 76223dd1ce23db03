#include "xmeml/SequencePass.h"

#include "DovovevoZavCore/NumberText.h"
#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "xmeml/LoggingReader.h"
#include "xmeml/TimecodeRates.h"
#include "xmeml/TrackItemReader.h"
#include "xmeml/VideoFormatReader.h"
#include "xmeml/XMEMLImport.h"

#include <fmt/format.h>

namespace marrowvale {

using dovovevozav::finiteNumberFromText;
using dovovevozav::integerFromText;

namespace {

double startFrameOf(XMEMLImport& import, NodeIndex sequence, dovovevozav::TimecodeFrameRate rate) {
    const XMEMLNames& n = import.names;
    if (auto frame = import.text(sequence, {n.timecode, n.frame})) {
        return finiteNumberFromText(*frame).value_or(0);
    }
    if (auto timecode = import.text(sequence, {n.timecode, n.string})) {
        return framesOfTimecodeText(*timecode, rate).value_or(0);
    }
    return 0;
}

void storeVideoTracks(XMEMLImport& import, const std::vector<NodeIndex>& tracks,
                      Composition& composition, const SequenceTiming& timing, double perTrack) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    std::int64_t index = 0;
    for (NodeIndex trackNode : tracks) {
        const std::int64_t trackIdx = index++;
        std::vector<NodeIndex> items =
            doc.children(trackNode, {n.clipitem, n.transitionitem, n.generatoritem});
        if (items.empty()) {
            import.host.updateProgress(perTrack);
            continue;
        }
        std::optional<std::string_view> trackName =
            import.attribute(trackNode, n.trackNameAttribute);
        VideoTrack* track = import.store.create<VideoTrack>(
            trackIdx, trackName ? std::string(*trackName) : fmt::format("V{}", trackIdx + 1), true);
        composition.videoTracks.push_back(track);
        if (import.text(trackNode, {n.enabled}) == std::optional<std::string_view>("FALSE")) {
            track->enabled = false;
        }
        const double perItem = perTrack / static_cast<double>(items.size());
        for (NodeIndex item : items) {
            import.host.updateProgress(perItem);
            StoryElement* element = import.store.create<StoryElement>(
                StoryElement::Category::null, trackIdx * 10, TrackType::Video,
                composition.timecodeFrameRate, track->name);
            track->elements.push_back(element);
            readVideoItem(import, item, *element, timing);
        }
    }
}

void storeAudioTracks(XMEMLImport& import, const std::vector<NodeIndex>& tracks,
                      Composition& composition, const SequenceTiming& timing, double perTrack) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    std::int64_t counter = -1;
    for (NodeIndex trackNode : tracks) {
        // Only the first of the tracks an exploded multi-channel clip spreads over is kept.
        std::optional<std::string_view> exploded =
            import.attribute(trackNode, n.explodedTrackIndexAttribute);
        if (exploded && *exploded != "0") {
            import.host.updateProgress(perTrack);
            continue;
        }
        const std::int64_t trackIdx = ++counter;
        std::vector<NodeIndex> items =
            doc.children(trackNode, {n.clipitem, n.transitionitem, n.generatoritem});
        if (items.empty()) {
            import.host.updateProgress(perTrack);
            continue;
        }
        std::optional<std::string_view> trackName =
            import.attribute(trackNode, n.trackNameAttribute);
        AudioTrack* track = import.store.create<AudioTrack>(
            trackIdx, trackName ? std::string(*trackName) : fmt::format("A{}", trackIdx + 1), true,
            std::string(), "Mono");
        if (auto type = import.attribute(trackNode, n.premiereTrackTypeAttribute)) {
            track->premiereTrackType.assign(*type);
        }
        composition.audioTracks.push_back(track);
        if (import.text(trackNode, {n.enabled}) == std::optional<std::string_view>("FALSE")) {
            track->enabled = false;
        }
        const double perItem = perTrack / static_cast<double>(items.size());
        for (NodeIndex item : items) {
            import.host.updateProgress(perItem);
            StoryElement* element = import.store.create<StoryElement>(
                StoryElement::Category::null, trackIdx * 10 + 5, TrackType::Audio,
                composition.timecodeFrameRate, track->name);
            track->elements.push_back(element);
            readAudioItem(import, item, *element, timing);
        }
    }
}

void storeSequence(XMEMLImport& import, NodeIndex sequence, std::size_t position, EventBin& bin,
                   double sequenceShare) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    std::vector<NodeIndex> videoTracks = doc.allPaths(sequence, {n.media, n.video, n.track});
    std::vector<NodeIndex> audioTracks = doc.allPaths(sequence, {n.media, n.audio, n.track});
    const std::size_t trackCount = videoTracks.size() + audioTracks.size();

    Composition* composition = import.store.create<Composition>(
        std::string(), std::string(), 0.0, 0.0, std::string(), import.defaultVideoFormat,
        std::vector<VideoTrack*>{}, std::string(), std::int64_t{48000}, std::vector<AudioTrack*>{},
        std::vector<MarkedRange*>{}, std::vector<Metadata*>{},
        Composition::Category::TimelineSequence);
    bin.storyCompositions.push_back(composition);

    std::optional<std::string_view> id = import.attribute(sequence, n.idAttribute);
    composition->id = id ? std::string(*id) : fmt::format("sequence{}", position);
    std::optional<std::string_view> name = import.text(sequence, {n.name});
    composition->name = name ? std::string(*name) : fmt::format("PPro Sequence {}", position);
    composition->duration =
        finiteNumberFromText(import.text(sequence, {n.duration}).value_or("")).value_or(0);
    composition->videoFormat = readSequenceVideoFormat(
        import, doc.path(sequence, {n.media, n.video, n.format, n.samplecharacteristics}),
        sequence);
    bool dropFrame = import.text(sequence, {n.timecode, n.displayformat}) ==
                     std::optional<std::string_view>("DF");
    SequenceTiming timing{timecodeRateOfFormat(*composition->videoFormat, dropFrame), 0};
    composition->timecodeFrameRate = std::string(timing.rate.rawValue());
    if (auto rate = import.text(
            sequence, {n.media, n.audio, n.format, n.samplecharacteristics, n.samplerate})) {
        composition->audioSampleRate =
            integerFromText(*rate).value_or(composition->audioSampleRate);
    }
    timing.startFrame = startFrameOf(import, sequence, timing.rate);
    composition->firstFrame = timing.startFrame;

    readSequenceLogging(import, sequence, *composition);
    readSequenceMarkers(import, doc.children(sequence, n.marker), *composition);

    const double perTrack = trackCount == 0 ? 0 : sequenceShare / static_cast<double>(trackCount);
    storeVideoTracks(import, videoTracks, *composition, timing, perTrack);
    storeAudioTracks(import, audioTracks, *composition, timing, perTrack);
}

} // namespace

void storeBinSequences(XMEMLImport& import, const std::vector<NodeIndex>& sequences, EventBin& bin,
                       double sequencesShare) {
    const double perSequence =
        sequences.empty() ? 0 : sequencesShare / static_cast<double>(sequences.size());
    for (std::size_t position = 0; position < sequences.size(); ++position) {
        storeSequence(import, sequences[position], position, bin, perSequence);
    }
}

} // namespace marrowvale
