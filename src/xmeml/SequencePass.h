#pragma once

#include "xmeml/XMEMLDocument.h"

#include <vector>

namespace marrowvale {

class EventBin;
class XMEMLImport;

/// Stores a bin's "sequence" elements as compositions of the bin, in document order: id, name,
/// duration, format, timecode rate, audio sample rate, first frame, logging, markers, then the
/// video tracks and the audio tracks with their items. Advances the progress by
/// `sequencesShare` in all: each sequence an equal part, each of its tracks (empty and skipped
/// ones too) an equal part of that, spread over the track's items.
void storeBinSequences(XMEMLImport& import, const std::vector<NodeIndex>& sequences, EventBin& bin,
                       double sequencesShare);

} // namespace marrowvale
