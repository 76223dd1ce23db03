#pragma once

#include <vector>

namespace marrowvale {

class AudioFX;
class MarkedRange;
class StoryElement;
class VideoFX;

/// Clips in clip order, stably: smaller timeline position first; at one position transitions
/// first (several transitions there in the reverse of their input order), then the others by
/// spreadsheetSortOrder, then input order. Positions that are not numbers go last; null entries
/// are left out.
std::vector<StoryElement*> sortedClips(std::vector<StoryElement*> clips);

/// Marked ranges by timeline position, stably; positions that are not numbers go last, null
/// entries are left out.
std::vector<MarkedRange*> sortedMarkers(std::vector<MarkedRange*> markers);

/// Sorts video effects stably by name in text order.
void sortVideoEffects(std::vector<VideoFX*>& effects);

/// Sorts audio effects stably by name in text order.
void sortAudioEffects(std::vector<AudioFX*>& effects);

} // namespace marrowvale
