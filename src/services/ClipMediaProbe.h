#pragma once

#include "media/MediaProbeProcess.h"
#include "report/MediaProbe.h"

#include <map>
#include <ostream>
#include <string>

namespace marrowvale {

/// The report's media probing over the media library: thumbnails of movie and picture clips,
/// made side by side on the machine's cores, and the tags of audio-file clips. Only local files
/// are read, each in a media probing helper process, so a file that takes longer than the
/// probe limit to read gives "Problem" or no tags and holds nothing up. One probe serves one
/// report run.
class ClipMediaProbe final : public MediaProbe {
public:
    /// A probe writing its diagnostic lines ("Writing thumbnail to ...", "***  skip ...") to
    /// `diagnostics` when given, making thumbnails on `workers` threads (0: one per core).
    explicit ClipMediaProbe(std::ostream* diagnostics = nullptr, unsigned workers = 0);

    /// For each request: none for a clip without an asset or whose asset is neither a movie
    /// nor a picture; "Offline" for an off-line asset; "Problem" when the asset has no local
    /// file, the clip has no source in point or no known frame rate, or no picture could be
    /// made; otherwise the JPEG's path and height. A movie gives its frame at the clip's
    /// source in point (the in point less the clip's first frame, in whole frames), a still
    /// picture its only frame.
    std::vector<std::optional<ThumbnailResult>>
    makeThumbnails(const std::vector<ThumbnailRequest>& requests,
                   const std::filesystem::path& folder, const StopRequest* stop) override;

    /// The tags of an on-line audio-file clip's file; eight empty texts for any other clip
    /// or a file that cannot be read or is given up on. Each file is read once in the probe's
    /// life, however many clips use it.
    std::optional<ID3Fields> readAudioMetadata(const StoryElement& clip) override;

private:
    std::ostream* diagnostics_;
    unsigned workers_;
    MediaProbeProcess tagReader_;
    std::map<std::string, ID3Fields, std::less<>> tagsOfFile_;
};

} // namespace marrowvale
