#include "app/ReportRequest.h"

#include <algorithm>

namespace marrowvale {

bool TrackSelection::includesVideoTrack(std::int64_t trackIdx) const {
    return allTracks || std::find(videoTrackIndexes.begin(), videoTrackIndexes.end(), trackIdx) !=
                            videoTrackIndexes.end();
}

bool TrackSelection::includesAudioTrack(std::int64_t trackIdx) const {
    return allTracks || std::find(audioTrackIndexes.begin(), audioTrackIndexes.end(), trackIdx) !=
                            audioTrackIndexes.end();
}

bool ReportRequest::hasSheet(SheetKey key) const {
    return std::find(sheetKeys.begin(), sheetKeys.end(), key) != sheetKeys.end();
}

} // namespace marrowvale
