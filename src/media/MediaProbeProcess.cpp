#include "media/MediaProbeProcess.h"

#include "media/MediaProbeWork.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fmt/format.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace marrowvale {

namespace {

// The descriptor the helper finds its end of the connection at.
constexpr int kHelperDescriptor = 3;

/// posix_spawn's file actions and attributes, destroyed with it.
struct SpawnSettings {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSettings() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
};

std::string secondsText(std::chrono::milliseconds time) {
    return fmt::format("{:g} s", static_cast<double>(time.count()) / 1000);
}

} // namespace

MediaProbeProcess::MediaProbeProcess(std::chrono::milliseconds timeout,
                                     std::optional<std::filesystem::path> helper)
    : timeout_(timeout), helperProgram_(std::move(helper)) {}

MediaProbeProcess::~MediaProbeProcess() {
    endHelper();
}

std::filesystem::path MediaProbeProcess::installedHelper() {
    std::vector<std::filesystem::path> candidates;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back(self.parent_path() / MARROWVALE_MEDIA_PROBE_FROM_BINDIR);
    }
    candidates.emplace_back(MARROWVALE_MEDIA_PROBE_BUILT);
    for (const std::filesystem::path& candidate : candidates) {
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

bool MediaProbeProcess::startHelper() {
    if (!helperProgram_) {
        helperProgram_ = installedHelper();
    }
    const std::filesystem::path& program = *helperProgram_;
    if (program.empty()) {
        return false;
    }
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return false;
    }
    ProbeChannel ours(ends[0]);
    // Its end must not already sit at the helper's descriptor: duplicating a descriptor onto
    // itself would keep it closed on exec.
    ProbeChannel theirs(ends[1] == kHelperDescriptor
                            ? ::fcntl(ends[1], F_DUPFD_CLOEXEC, kHelperDescriptor + 1)
                            : ends[1]);
    if (ends[1] == kHelperDescriptor) {
        ::close(ends[1]);
    }
    SpawnSettings settings;
    posix_spawn_file_actions_adddup2(&settings.actions, theirs.descriptor(), kHelperDescriptor);
    // Nothing the media libraries print may mix with this program's output.
    posix_spawn_file_actions_addopen(&settings.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // The helper ends on the signals that end a program, whatever this one does with them.
    sigset_t none;
    sigemptyset(&none);
    sigset_t ending;
    sigemptyset(&ending);
    for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        sigaddset(&ending, number);
    }
    posix_spawnattr_setsigmask(&settings.attributes, &none);
    posix_spawnattr_setsigdefault(&settings.attributes, &ending);
    posix_spawnattr_setflags(&settings.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::string name = program.string();
    std::string parent = std::to_string(::getpid());
    char* arguments[] = {name.data(), parent.data(), nullptr};
    pid_t helper = -1;
    if (posix_spawn(&helper, name.c_str(), &settings.actions, &settings.attributes, arguments,
                    environ) != 0) {
        return false;
    }
    helper_ = helper;
    channel_ = std::move(ours);
    return true;
}

void MediaProbeProcess::endHelper() {
    if (helper_ > 0) {
        ::kill(helper_, SIGKILL);
        while (::waitpid(helper_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    helper_ = -1;
    channel_ = ProbeChannel();
}

std::optional<ProbeChannel::Message> MediaProbeProcess::ask(const ProbeChannel::Message& request,
                                                            const std::function<bool()>& stop) {
    givenUp_ = GiveUp::none;
    if (inProcess_) {
        return inProcess_->answer(request);
    }
    bool stopped = false;
    const std::function<bool()> watchedStop = [&stop, &stopped] {
        return stopped = stop && stop();
    };
    // A helper can die for reasons of its own (the system ends it for memory, say), and one
    // that ended since its last answer fails at once: the file gets a second try, with a fresh
    // helper and a full time limit, before it is written off.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (helper_ < 0 && !startHelper()) {
            inProcess_ = std::make_unique<MediaProbeWork>();
            return inProcess_->answer(request);
        }
        if (channel_.send(request)) {
            const auto deadline = std::chrono::steady_clock::now() + timeout_;
            std::optional<ProbeChannel::Message> answer = channel_.receive(deadline, watchedStop);
            if (answer) {
                return answer;
            }
            const bool late = std::chrono::steady_clock::now() >= deadline;
            endHelper();
            if (stopped || late) {
                givenUp_ = stopped ? GiveUp::stopped : GiveUp::late;
                return std::nullopt;
            }
        } else {
            endHelper();
        }
    }
    givenUp_ = GiveUp::crashed;
    return std::nullopt;
}

std::string MediaProbeProcess::givenUpProblem(const std::filesystem::path& path, GiveUp reason,
                                              std::chrono::milliseconds timeout) {
    switch (reason) {
    case GiveUp::late:
        return fmt::format("\"{}\" took longer than {} to read and was given up", path.string(),
                           secondsText(timeout));
    case GiveUp::stopped:
        return fmt::format("\"{}\" was not read: the work was stopped", path.string());
    case GiveUp::none:
    case GiveUp::crashed:
        break;
    }
    return fmt::format("\"{}\" could not be read: the media libraries failed on it", path.string());
}

std::string MediaProbeProcess::givenUpReason(GiveUp reason, std::chrono::milliseconds timeout) {
    switch (reason) {
    case GiveUp::late:
        return fmt::format("took longer than {} to read", secondsText(timeout));
    case GiveUp::crashed:
        return "the media helper crashed on it twice";
    case GiveUp::stopped:
        return "the work was stopped";
    case GiveUp::none:
        break;
    }
    return {};
}

MediaFileProbe MediaProbeProcess::probe(const std::filesystem::path& path,
                                        const std::function<bool()>& stop) {
    if (const auto answer = ask(MediaProbeWork::rateRequest(path), stop)) {
        if (auto probe = MediaProbeWork::rateAnswer(*answer)) {
            return *probe;
        }
    }
    MediaFileProbe givenUp;
    givenUp.problem = givenUpProblem(path, givenUp_, timeout_);
    return givenUp;
}

AudioFileTags MediaProbeProcess::readTags(const std::filesystem::path& path,
                                          std::ostream* diagnostics,
                                          const std::function<bool()>& stop) {
    if (const auto answer = ask(MediaProbeWork::tagsRequest(path), stop)) {
        if (auto tags = MediaProbeWork::tagsAnswer(*answer)) {
            if (diagnostics != nullptr) {
                *diagnostics << tags->second;
            }
            return std::move(tags->first);
        }
    }
    return {};
}

std::optional<int> MediaProbeProcess::makeThumbnail(const ThumbnailJob& job,
                                                    const std::function<bool()>& stop) {
    const auto answer = ask(MediaProbeWork::thumbnailRequest(job), stop);
    if (!answer) {
        // A helper ended while writing leaves part of a picture behind.
        std::error_code ignored;
        std::filesystem::remove(job.output, ignored);
        return std::nullopt;
    }
    return MediaProbeWork::thumbnailAnswer(*answer);
}

} // namespace marrowvale
