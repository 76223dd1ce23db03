#include "services/ClipMediaProbe.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeFrameCountValue.h"
#include "app/StopRequest.h"
#include "media/AudioFileTags.h"
#include "media/ThumbnailBatch.h"
#include "media/ThumbnailFileName.h"
#include "model/Asset.h"
#include "model/StoryElement.h"

#include <atomic>
#include <stdexcept>
#include <utility>
#include <variant>

namespace marrowvale {

namespace {

using dovovevozav::Timecode;
using dovovevozav::TimecodeFrameRate;

const ThumbnailResult offline{"Offline", -1};
const ThumbnailResult problem{"Problem", -1};

// The clip's source in point less its first frame, both as timecodes at `rate`, subtracted on
// the 24-hour clock; its whole frames as seconds (numerator, denominator). None when either
// count is no timecode at the rate.
std::optional<std::pair<std::int64_t, std::int64_t>> sourceTime(double sourceIn, double firstFrame,
                                                                TimecodeFrameRate rate) {
    try {
        Timecode in{Timecode::Properties(rate)};
        dovovevozav::TimecodeFrameCountValue::combined(sourceIn).apply(in);
        Timecode first{Timecode::Properties(rate)};
        dovovevozav::TimecodeFrameCountValue::combined(firstFrame).apply(first);
        const std::int64_t frames = in.subtractingWrapping(first).frameCount().wholeFrames();
        const dovovevozav::Fraction duration = rate.frameDuration();
        return std::pair{frames * duration.numerator(), duration.denominator()};
    } catch (const Timecode::ValidationError&) {
        return std::nullopt;
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

// What a clip gives: no picture, an answer without a file to read, or a file to make.
using Plan = std::variant<std::monostate, ThumbnailResult, ThumbnailJob>;

Plan planThumbnail(const ThumbnailRequest& request, const std::filesystem::path& folder) {
    const StoryElement& clip = *request.clip;
    const Asset* asset = clip.asset;
    if (asset == nullptr) {
        return std::monostate{};
    }
    using Category = Asset::Category;
    if (asset->category != Category::AV && asset->category != Category::Video &&
        asset->category != Category::Image) {
        return std::monostate{};
    }
    if (!asset->online) {
        return offline;
    }
    const std::optional<std::string> path = asset->localPath();
    const std::optional<TimecodeFrameRate> rate =
        TimecodeFrameRate::fromRawValue(clip.timecodeFrameRate);
    if (!path || path->empty() || !rate || !clip.srcInpoint) {
        return problem;
    }
    ThumbnailJob job;
    job.source = *path;
    job.width = request.width;
    job.output = folder / thumbnailFileName(request.index, clip.name);
    if (asset->category != Category::Image) {
        const auto time = sourceTime(*clip.srcInpoint, clip.firstFrame, *rate);
        if (!time) {
            return problem;
        }
        job.numerator = time->first;
        job.denominator = time->second;
    }
    return job;
}

} // namespace

ClipMediaProbe::ClipMediaProbe(std::ostream* diagnostics, unsigned workers)
    : diagnostics_(diagnostics), workers_(workers) {}

std::vector<std::optional<ThumbnailResult>>
ClipMediaProbe::makeThumbnails(const std::vector<ThumbnailRequest>& requests,
                               const std::filesystem::path& folder, const StopRequest* stop) {
    std::vector<std::optional<ThumbnailResult>> answers(requests.size());
    std::vector<ThumbnailJob> jobs;
    std::vector<std::size_t> jobOwners;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        Plan plan = planThumbnail(requests[i], folder);
        if (auto* answer = std::get_if<ThumbnailResult>(&plan)) {
            answers[i] = std::move(*answer);
        } else if (auto* job = std::get_if<ThumbnailJob>(&plan)) {
            jobs.push_back(std::move(*job));
            jobOwners.push_back(i);
        }
    }
    // Read by every worker; once raised, answers not made are left out rather than "Problem".
    std::atomic<bool> stopped{false};
    const std::vector<std::optional<int>> heights =
        makeThumbnailFiles(jobs, workers_, [stop, &stopped] {
            if (stop != nullptr && stop->isRequested()) {
                stopped = true;
            }
            return stopped.load();
        });
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        if (heights[j]) {
            if (diagnostics_ != nullptr) {
                *diagnostics_ << "Writing thumbnail to " << jobs[j].output.string() << '\n';
            }
            answers[jobOwners[j]] = ThumbnailResult{jobs[j].output.string(), *heights[j]};
        } else if (!stopped) {
            answers[jobOwners[j]] = problem;
        }
    }
    return answers;
}

std::optional<ID3Fields> ClipMediaProbe::readAudioMetadata(const StoryElement& clip) {
    const Asset* asset = clip.asset;
    if (asset == nullptr || asset->category != Asset::Category::Audio || !asset->online) {
        return ID3Fields{};
    }
    const std::optional<std::string> path = asset->localPath();
    if (!path || path->empty()) {
        return ID3Fields{};
    }
    auto known = tagsOfFile_.find(*path);
    if (known == tagsOfFile_.end()) {
        AudioFileTags tags = tagReader_.readTags(*path, diagnostics_);
        ID3Fields fields{std::move(tags.title),    std::move(tags.album),    std::move(tags.track),
                         std::move(tags.year),     std::move(tags.genre),    std::move(tags.artist),
                         std::move(tags.composer), std::move(tags.publisher)};
        known = tagsOfFile_.emplace(*path, std::move(fields)).first;
    }
    return known->second;
}

} // namespace marrowvale
