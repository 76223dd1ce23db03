#include "model/ModelContext.h"

namespace marrowvale {

namespace {

// Applies `clear` to every object of one class in the store.
template <class T, class Clear>
void forEach(const std::vector<std::unique_ptr<T>>& objects, Clear clear) {
    for (const auto& object : objects) {
        clear(*object);
    }
}

template <class Effect>
void clearParams(Effect& effect) {
    if (effect.params) {
        effect.params->clear();
    }
}

} // namespace

Composition* ModelContext::fetchComposition(std::string_view name) const {
    const auto found = fetch(FetchDescriptor<Composition>{
        [name](const Composition& composition) { return composition.name == name; }, {}, 1});
    return found.empty() ? nullptr : found.front();
}

std::vector<EventBin*> ModelContext::fetchBinsSortedByName(TextComparison comparison) const {
    return fetch(FetchDescriptor<EventBin>{
        {}, {SortDescriptor<EventBin>(&EventBin::name, SortOrder::forward, comparison)}, {}});
}

void ModelContext::deleteAllModels() {
    deleteAll<EventBin>();
    deleteAll<VideoFormat>();
    deleteAll<Asset>();
    deleteAll<Composition>();
    deleteAll<VideoTrack>();
    deleteAll<AudioTrack>();
    deleteAll<StoryElement>();
    deleteAll<MarkedRange>();
    deleteAll<Metadata>();
    deleteAll<FxKeyValueTime>();
    deleteAll<VideoFX>();
    deleteAll<AudioFX>();
    deleteAll<SpeedFX>();
}

void ModelContext::notify(const ModelChange& change) const {
    if (observer_) {
        observer_(change);
    }
}

void ModelContext::detachAll(std::type_identity<EventBin>) {
    // Nothing points at a bin.
}

void ModelContext::detachAll(std::type_identity<VideoFormat>) {
    forEach(objectsOf<Asset>(), [](Asset& asset) { asset.videoFormat = nullptr; });
    forEach(objectsOf<Composition>(), [](Composition& c) { c.videoFormat = nullptr; });
}

void ModelContext::detachAll(std::type_identity<Asset>) {
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.asset = nullptr; });
}

void ModelContext::detachAll(std::type_identity<Composition>) {
    forEach(objectsOf<EventBin>(), [](EventBin& bin) { bin.storyCompositions.clear(); });
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.composition = nullptr; });
}

void ModelContext::detachAll(std::type_identity<VideoTrack>) {
    forEach(objectsOf<Composition>(), [](Composition& c) { c.videoTracks.clear(); });
}

void ModelContext::detachAll(std::type_identity<AudioTrack>) {
    forEach(objectsOf<Composition>(), [](Composition& c) { c.audioTracks.clear(); });
}

void ModelContext::detachAll(std::type_identity<StoryElement>) {
    forEach(objectsOf<EventBin>(), [](EventBin& bin) { bin.clips.clear(); });
    forEach(objectsOf<VideoTrack>(), [](VideoTrack& track) { track.elements.clear(); });
    forEach(objectsOf<AudioTrack>(), [](AudioTrack& track) { track.elements.clear(); });
    forEach(objectsOf<MarkedRange>(), [](MarkedRange& range) { range.clip = nullptr; });
}

void ModelContext::detachAll(std::type_identity<MarkedRange>) {
    forEach(objectsOf<Composition>(), [](Composition& c) { c.markers.clear(); });
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.markedRanges.clear(); });
}

void ModelContext::detachAll(std::type_identity<Metadata>) {
    forEach(objectsOf<Composition>(), [](Composition& c) { c.metadata.clear(); });
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.metadata.clear(); });
}

void ModelContext::detachAll(std::type_identity<FxKeyValueTime>) {
    forEach(objectsOf<VideoFX>(), clearParams<VideoFX>);
    forEach(objectsOf<AudioFX>(), clearParams<AudioFX>);
    forEach(objectsOf<SpeedFX>(), clearParams<SpeedFX>);
}

void ModelContext::detachAll(std::type_identity<VideoFX>) {
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.videoFX.clear(); });
}

void ModelContext::detachAll(std::type_identity<AudioFX>) {
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.audioFX.clear(); });
}

void ModelContext::detachAll(std::type_identity<SpeedFX>) {
    forEach(objectsOf<StoryElement>(), [](StoryElement& e) { e.speedFX = nullptr; });
}

} // namespace marrowvale
