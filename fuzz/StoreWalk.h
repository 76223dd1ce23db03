// What the report reads of an imported timeline, walked by the import harnesses so that a
// dangling or missing link shows as a sanitizer report rather than a corrupt workbook.
#pragma once

#include "model/ModelContext.h"

namespace marrowvale::fuzzing {

inline void readElement(const StoryElement& element) {
    (void)element.debugDescription();
    if (element.asset) {
        (void)element.asset->debugDescription();
        if (element.asset->videoFormat) {
            (void)element.asset->videoFormat->debugDescription();
        }
    }
    if (element.composition) {
        (void)element.composition->name.size();
    }
    for (const Metadata* entry : element.metadata) {
        (void)entry->debugDescription();
    }
    for (const MarkedRange* range : element.markedRanges) {
        (void)range->debugDescription();
    }
    for (const VideoFX* effect : element.videoFX) {
        (void)effect->debugDescription();
    }
    for (const AudioFX* effect : element.audioFX) {
        (void)effect->debugDescription();
    }
    if (element.speedFX) {
        (void)element.speedFX->debugDescription();
    }
}

inline void readComposition(const Composition& sequence) {
    (void)sequence.debugDescription();
    if (sequence.videoFormat) {
        (void)sequence.videoFormat->debugDescription();
    }
    for (const VideoTrack* track : sequence.videoTracks) {
        (void)track->debugDescription();
        for (const StoryElement* element : track->elements) {
            readElement(*element);
        }
    }
    for (const AudioTrack* track : sequence.audioTracks) {
        (void)track->debugDescription();
        for (const StoryElement* element : track->elements) {
            readElement(*element);
        }
    }
    for (const MarkedRange* marker : sequence.markers) {
        (void)marker->debugDescription();
    }
    for (const Metadata* entry : sequence.metadata) {
        (void)entry->debugDescription();
    }
}

/// Reads every bin with its clips and sequences, and every asset.
inline void readStore(const ModelContext& store) {
    for (const EventBin* bin : store.fetchAll<EventBin>()) {
        (void)bin->debugDescription();
        for (const StoryElement* clip : bin->clips) {
            readElement(*clip);
        }
        for (const Composition* sequence : bin->storyCompositions) {
            readComposition(*sequence);
        }
    }
    for (const Asset* asset : store.fetchAll<Asset>()) {
        (void)asset->debugDescription();
    }
}

/// Whether the store holds no object of any class.
inline bool isEmpty(const ModelContext& store) {
    return store.count<EventBin>() + store.count<VideoFormat>() + store.count<Asset>() +
               store.count<Composition>() + store.count<VideoTrack>() + store.count<AudioTrack>() +
               store.count<StoryElement>() + store.count<MarkedRange>() + store.count<Metadata>() +
               store.count<FxKeyValueTime>() + store.count<VideoFX>() + store.count<AudioFX>() +
               store.count<SpeedFX>() ==
           0;
}

} // namespace marrowvale::fuzzing
