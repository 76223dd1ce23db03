#include "media/MediaFileProbeBatch.h"

#include "media/GivenUpFiles.h"
#include "media/MediaHelperWorkers.h"
#include "media/MediaProbeProcess.h"

#include <map>
#include <optional>
#include <string>

namespace marrowvale {

namespace {

using GiveUp = MediaProbeProcess::GiveUp;

// What one file answered, and whether it was given up on.
struct FileAnswer {
    MediaFileProbe probe;
    GiveUp givenUp = GiveUp::none;
};

} // namespace

std::vector<MediaFileProbe> probeMediaFileBatch(const std::vector<std::filesystem::path>& paths,
                                                const MediaBatchSettings& settings,
                                                GivenUpFiles* givenUp) {
    // Each distinct file, by the first of its paths.
    std::vector<std::size_t> fileOfPath(paths.size());
    std::vector<std::size_t> firstPathOfFile;
    std::map<std::string, std::size_t, std::less<>> fileByIdentity;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto [found, added] =
            fileByIdentity.try_emplace(GivenUpFiles::identity(paths[i]), firstPathOfFile.size());
        if (added) {
            firstPathOfFile.push_back(i);
        }
        fileOfPath[i] = found->second;
    }

    std::vector<std::optional<FileAnswer>> answers(firstPathOfFile.size());
    forEachOnMediaHelpers(answers.size(), settings, [&](MediaProbeProcess& helper, std::size_t f) {
        MediaFileProbe probe = helper.probe(paths[firstPathOfFile[f]], settings.stopRequested);
        answers[f] = FileAnswer{std::move(probe), helper.givenUp()};
    });

    std::vector<MediaFileProbe> probes;
    probes.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::optional<FileAnswer>& answer = answers[fileOfPath[i]];
        const GiveUp reason = answer ? answer->givenUp : GiveUp::stopped;
        if (reason == GiveUp::none) {
            probes.push_back(answer->probe);
        } else {
            MediaFileProbe probe;
            probe.problem = MediaProbeProcess::givenUpProblem(paths[i], reason, settings.timeout);
            probe.givenUp = true;
            probes.push_back(std::move(probe));
            // Recorded here rather than as answers end, so that the record keeps the order of
            // `paths`.
            if (givenUp != nullptr) {
                givenUp->add(paths[i], reason);
            }
        }
    }
    return probes;
}

} // namespace marrowvale
