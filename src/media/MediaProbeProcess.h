#pragma once

#include "media/AudioFileTags.h"
#include "media/MediaFileProbe.h"
#include "media/ProbeChannel.h"
#include "media/ProbeLimits.h"
#include "media/ThumbnailBatch.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <sys/types.h>

namespace marrowvale {

class MediaProbeWork;

/// Media files probed in a process of their own, the media probing helper, so that no file can
/// hold the application up: each answer is waited for at most a time limit, after which the
/// helper is killed (and everything it was doing and holding with it) and the file gets the
/// answer of a file that cannot be read. A file that crashes the media libraries only ends
/// the helper. A new helper starts for the next file. When no helper can be started (it is not
/// installed), the work is done in this process instead, without the limit. One object serves
/// one thread; its helper ends with it.
class MediaProbeProcess {
public:
    /// Probing that waits at most `timeout` for each answer.
    explicit MediaProbeProcess(std::chrono::milliseconds timeout = ProbeLimits{}.answerTimeout);
    ~MediaProbeProcess();
    MediaProbeProcess(const MediaProbeProcess&) = delete;
    MediaProbeProcess& operator=(const MediaProbeProcess&) = delete;

    /// probeMediaFile(path) in the helper; no video track and no rate, with the reason, when
    /// the file is given up on.
    MediaFileProbe probe(const std::filesystem::path& path);

    /// readAudioFileTags(path, diagnostics) in the helper; eight empty texts when the file is
    /// given up on.
    AudioFileTags readTags(const std::filesystem::path& path, std::ostream* diagnostics);

    /// The job's thumbnail file made in the helper, which keeps the job's file open for the
    /// next job; none when there is no picture or the file is given up on. A raised `stop`
    /// ends the wait at once, the same way.
    std::optional<int> makeThumbnail(const ThumbnailJob& job,
                                     const std::function<bool()>& stop = {});

    /// Whether the last answer was given up on: late, the helper failed on it, or stopped.
    bool gaveUp() const { return gaveUp_; }

private:
    std::optional<ProbeChannel::Message> ask(const ProbeChannel::Message& request,
                                             const std::function<bool()>& stop);
    bool startHelper();
    void endHelper();

    std::chrono::milliseconds timeout_;
    pid_t helper_ = -1;
    ProbeChannel channel_;
    std::unique_ptr<MediaProbeWork> inProcess_; // when no helper can be started
    bool gaveUp_ = false;
    bool late_ = false; // given up because the time limit passed
};

} // namespace marrowvale
