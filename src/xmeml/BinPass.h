#pragma once

#include "xmeml/XMEMLDocument.h"

#include <vector>

namespace marrowvale {

class EventBin;
class XMEMLImport;

/// The bins of the document: the "children" element of the project and of every bin at any
/// depth, as one flat list in document order; the root itself when there is none.
std::vector<NodeIndex> findBins(const XMEMLImport& import);

/// For each bin, in order: stores an EventBin named after the bin (or "PPro Project"), its
/// master clips and then its sequences. Each bin advances the progress by `clipsShare` through
/// its clips and `sequencesShare` through its sequences.
void storeBinsAndTheirContents(XMEMLImport& import, const std::vector<NodeIndex>& bins,
                               double clipsShare, double sequencesShare);

/// Stores a bin's "clip" elements as master clips of the bin, each linked to the asset of its
/// source file, with its logging fields and markers.
void storeBinClips(XMEMLImport& import, const std::vector<NodeIndex>& clips, EventBin& bin,
                   double clipsShare);

} // namespace marrowvale
