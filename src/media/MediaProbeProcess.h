#pragma once

#include "media/AudioFileTags.h"
#include "media/MediaFileProbe.h"
#include "media/ProbeChannel.h"
#include "media/ProbeLimits.h"
#include "media/ThumbnailBatch.h"

#include <chrono>
#include <cstdint>
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
/// the helper, and so does one that needs more memory than a helper may take. A new helper
/// starts for the next file. When no helper can be started (it is not
/// installed), the work is done in this process instead, without the limit. One object serves
/// one thread; its helper ends with it.
///
/// Each request takes a `stop` callback, asked every few hundredths of a second while the
/// answer is awaited: a caller may also use it to keep a window responsive meanwhile. Once it
/// answers true the wait ends and the file is given up on.
class MediaProbeProcess {
public:
    /// Why the last answer was given up on.
    enum class GiveUp {
        none,    ///< it was not: the answer came
        late,    ///< the time limit passed
        crashed, ///< the helper died on it twice, each time with a fresh helper
        stopped, ///< the caller's stop callback answered true
        tooBig,  ///< a fresh helper needed more memory for it than a helper may take
    };

    /// Probing that waits at most `timeout` for each answer, not counting time this program
    /// was stopped, from the helper program `helper` (none: installedHelper()) allowed
    /// `memoryBytes` of memory; when it cannot be started, the work is done in this process.
    explicit MediaProbeProcess(std::chrono::milliseconds timeout = ProbeLimits{}.answerTimeout,
                               std::optional<std::filesystem::path> helper = std::nullopt,
                               std::int64_t memoryBytes = ProbeLimits{}.helperMemoryBytes);
    ~MediaProbeProcess();
    MediaProbeProcess(const MediaProbeProcess&) = delete;
    MediaProbeProcess& operator=(const MediaProbeProcess&) = delete;

    /// The helper program installed beside this program, else the one this build made; empty
    /// when neither is there.
    static std::filesystem::path installedHelper();

    /// probeMediaFile(path) in the helper; no video track and no rate, with the reason, when
    /// the file is given up on.
    MediaFileProbe probe(const std::filesystem::path& path, const std::function<bool()>& stop = {});

    /// readAudioFileTags(path, diagnostics) in the helper; eight empty texts when the file is
    /// given up on.
    AudioFileTags readTags(const std::filesystem::path& path, std::ostream* diagnostics,
                           const std::function<bool()>& stop = {});

    /// The job's thumbnail file made in the helper, which keeps the job's file open for the
    /// next job; none when there is no picture or the file is given up on.
    std::optional<int> makeThumbnail(const ThumbnailJob& job,
                                     const std::function<bool()>& stop = {});

    /// Whether the last answer was given up on: late, the helper failed on it or ran out of
    /// memory, or stopped.
    bool gaveUp() const { return givenUp_ != GiveUp::none; }
    /// Why the last answer was given up on.
    GiveUp givenUp() const { return givenUp_; }

    /// The problem text of a rate probe of `path` given up on for `reason` after waiting at most
    /// `timeout` for each answer.
    static std::string givenUpProblem(const std::filesystem::path& path, GiveUp reason,
                                      std::chrono::milliseconds timeout);
    /// Why a file was given up on, in a few words for a warning ("took longer than 5 s to
    /// read"), after waiting at most `timeout` for each answer.
    static std::string givenUpReason(GiveUp reason, std::chrono::milliseconds timeout);

private:
    std::optional<ProbeChannel::Message> ask(const ProbeChannel::Message& request,
                                             const std::function<bool()>& stop);
    bool startHelper();
    bool endHelper();

    std::chrono::milliseconds timeout_;
    std::optional<std::filesystem::path> helperProgram_;
    std::int64_t memoryBytes_;
    pid_t helper_ = -1;
    bool helperAnswered_ = false; // since it started
    ProbeChannel channel_;
    std::unique_ptr<MediaProbeWork> inProcess_; // when no helper can be started
    GiveUp givenUp_ = GiveUp::none;
};

} // namespace marrowvale
