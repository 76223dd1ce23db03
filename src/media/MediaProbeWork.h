#pragma once

#include "media/AudioFileTags.h"
#include "media/MediaFileProbe.h"
#include "media/ProbeChannel.h"
#include "media/ThumbnailBatch.h"
#include "media/ThumbnailMaker.h"

#include <filesystem>
#include <optional>
#include <string>

namespace marrowvale {

/// The probing asked of the media probing process, as messages, and the work that answers
/// them in the process it runs in: a file's video tracks and timecode rate for a timeline
/// reader, an audio file's tags, a thumbnail file. Both ends of the connection use this class,
/// so a request and its answer are written and read in one place.
class MediaProbeWork {
public:
    /// The exit status of a helper that ended because its file needed more memory than it may
    /// take: the file is too big to read, which no fresh helper would change.
    static constexpr int outOfMemoryStatus = 3;

    /// The answer to `request`; an empty answer to a request it does not know.
    ProbeChannel::Message answer(const ProbeChannel::Message& request);

    /// A request for probeMediaFile(path).
    static ProbeChannel::Message rateRequest(const std::filesystem::path& path);
    /// The probe an answer to rateRequest() holds; none for no such answer.
    static std::optional<MediaFileProbe> rateAnswer(const ProbeChannel::Message& answer);

    /// A request for readAudioFileTags(path) with its diagnostic lines.
    static ProbeChannel::Message tagsRequest(const std::filesystem::path& path);
    /// The tags an answer to tagsRequest() holds and its diagnostic lines (each ending in a
    /// line break); none for no such answer.
    static std::optional<std::pair<AudioFileTags, std::string>>
    tagsAnswer(const ProbeChannel::Message& answer);

    /// A request for one thumbnail file.
    static ProbeChannel::Message thumbnailRequest(const ThumbnailJob& job);
    /// The height an answer to thumbnailRequest() holds: none for no picture, and none for no
    /// such answer.
    static std::optional<int> thumbnailAnswer(const ProbeChannel::Message& answer);

private:
    ThumbnailMaker thumbnails_;
};

} // namespace marrowvale
