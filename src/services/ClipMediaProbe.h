#pragma once

#include "media/GivenUpFiles.h"
#include "media/MediaBatchSettings.h"
#include "media/MediaProbeProcess.h"
#include "report/MediaProbe.h"

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace marrowvale {

/// The report's media probing over the media library: thumbnails of movie and picture clips,
/// made side by side on the machine's cores, and the tags of audio-file clips. Only local files
/// are read, each in a media probing helper process, so a file that takes longer than the
/// probe limit to read gives "Problem" or no tags and holds nothing up. One probe serves one
/// report run, and keeps the files given up on (by the timeline's import, then by the run) for
/// the run's closing warning; a file given up on is not waited on again.
class ClipMediaProbe final : public MediaProbe {
public:
    /// A probe writing its diagnostic lines ("Writing thumbnail to ...", "***  skip ...") to
    /// `diagnostics` when given, reading media as `settings` say: their `stopRequested` ends
    /// the waits of the tag reader too, and their `whileWaiting` is also called while a tag
    /// reading is awaited. `beforeReading` is called before the first media file is read.
    /// `givenUpBefore` are the files the import of the timeline gave up on, in its order.
    explicit ClipMediaProbe(std::ostream* diagnostics = nullptr, MediaBatchSettings settings = {},
                            std::function<void()> beforeReading = {},
                            std::vector<GivenUpFiles::Entry> givenUpBefore = {});

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
    /// life, however many clips and names use it, and its diagnostic lines are written when
    /// its first clip asks.
    std::optional<ID3Fields> readAudioMetadata(const StoryElement& clip) override;

    /// Reads the tags of the clips' audio files side by side, as the thumbnails are made.
    void readAudioMetadataOf(const std::vector<StoryElement*>& clips,
                             const StopRequest* stop) override;

    /// The warning that tells how many media files were given up on by the import and in this
    /// probe's life (for thumbnails or tags), each file once, naming the first three with the
    /// reason: the import's in its order, then the report's in row order. None when none was.
    std::optional<std::string> givenUpWarning() const;

private:
    // A file's tags as read, with the diagnostic lines still to write.
    struct FileTags {
        ID3Fields fields;
        std::string diagnostics;
    };

    void aboutToRead();
    MediaBatchSettings settingsUntil(const StopRequest* stop, std::atomic<bool>& stopped) const;
    void noteRowFile(const std::filesystem::path& path);

    std::ostream* diagnostics_;
    MediaBatchSettings settings_;
    std::function<void()> beforeReading_;
    std::vector<GivenUpFiles::Entry> givenUpBefore_;
    GivenUpFiles givenUp_;
    MediaProbeProcess tagReader_;
    // By file identity (GivenUpFiles::identity).
    std::map<std::string, FileTags, std::less<>> tagsOfFile_;
    // The files the rows read, in the order of the rows that first asked.
    std::vector<std::filesystem::path> rowFiles_;
    std::set<std::string, std::less<>> rowFileNames_;
};

} // namespace marrowvale
