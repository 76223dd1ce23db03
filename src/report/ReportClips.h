#pragma once

#include <functional>
#include <string>
#include <vector>

namespace marrowvale {

class Composition;
class MarkedRange;
class ModelContext;
class StoryElement;
struct ReportContext;
struct TrackSelection;

/// Whether a clip decides to stay in a list.
using ClipFilter = std::function<bool(const StoryElement&)>;

/// Finds the sequence titled `title` into `sequence` (null for "Bin Clips") and shows the
/// report's times at its rate when that can be read. False, after the diagnostic "NO SEQUENCE",
/// when no sequence has the title.
bool findReportSequence(ReportContext& context, const ModelContext& store, const std::string& title,
                        const Composition*& sequence);

/// The clips of the ticked tracks of `sequence` that the filters keep: the video tracks first,
/// then the audio tracks, each track's clips in list order.
std::vector<StoryElement*> trackClips(const Composition& sequence, const TrackSelection& tracks,
                                      const ClipFilter& keepVideo, const ClipFilter& keepAudio);

/// The master clips of every bin, bins in name order.
std::vector<StoryElement*> binClips(const ModelContext& store);

/// The markers a report lists: those of `sequence` itself (none for "Bin Clips"), then those of
/// the reported clips, in list order. Other sequences of the file and clips left out of the
/// report (unticked tracks) add none.
std::vector<MarkedRange*> reportMarkers(const Composition* sequence,
                                        const std::vector<StoryElement*>& clips);

/// Whether a clip is a transition or a gap, which no clip sheet lists.
bool isTransitionOrGap(const StoryElement& clip);

/// Whether a clip is a title or a generator.
bool isGraphic(const StoryElement& clip);

/// Whether a clip is a transition.
bool isTransition(const StoryElement& clip);

} // namespace marrowvale
