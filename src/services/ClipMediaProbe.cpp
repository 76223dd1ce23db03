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
#include <fmt/format.h>
#include <fmt/ranges.h>
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

ClipMediaProbe::ClipMediaProbe(std::ostream* diagnostics, MediaBatchSettings settings,
                               std::function<void()> beforeReading)
    : diagnostics_(diagnostics), settings_(std::move(settings)),
      beforeReading_(std::move(beforeReading)),
      tagReader_(settings_.timeout, settings_.helper, settings_.helperMemoryBytes) {}

void ClipMediaProbe::aboutToRead() {
    if (beforeReading_) {
        std::exchange(beforeReading_, {})();
    }
}

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
    if (!jobs.empty()) {
        aboutToRead();
    }
    // Read by every worker; once raised, answers not made are left out rather than "Problem".
    std::atomic<bool> stopped{false};
    MediaBatchSettings settings = settings_;
    settings.stopRequested = [this, stop, &stopped] {
        if ((stop != nullptr && stop->isRequested()) ||
            (settings_.stopRequested && settings_.stopRequested())) {
            stopped = true;
        }
        return stopped.load();
    };
    const std::vector<std::optional<int>> heights =
        makeThumbnailFiles(jobs, settings, &thumbnailsGivenUp_);
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
        aboutToRead();
        // The wait runs on the calling thread, so it can keep the caller's window turning.
        AudioFileTags tags = tagReader_.readTags(*path, diagnostics_, [this] {
            if (settings_.whileWaiting) {
                settings_.whileWaiting();
            }
            return settings_.stopRequested && settings_.stopRequested();
        });
        tagsGivenUp_.add(*path, tagReader_.givenUp());
        ID3Fields fields{std::move(tags.title),    std::move(tags.album),    std::move(tags.track),
                         std::move(tags.year),     std::move(tags.genre),    std::move(tags.artist),
                         std::move(tags.composer), std::move(tags.publisher)};
        known = tagsOfFile_.emplace(*path, std::move(fields)).first;
    }
    return known->second;
}

std::optional<std::string> ClipMediaProbe::givenUpWarning() const {
    // A file given up on for both its pictures and its tags counts once.
    std::vector<GivenUpFiles::Entry> files = thumbnailsGivenUp_.entries();
    for (GivenUpFiles::Entry& entry : tagsGivenUp_.entries()) {
        if (!thumbnailsGivenUp_.contains(entry.path)) {
            files.push_back(std::move(entry));
        }
    }
    if (files.empty()) {
        return std::nullopt;
    }
    constexpr std::size_t named = 3;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < files.size() && i < named; ++i) {
        names.push_back(
            fmt::format("\u201c{}\u201d ({})", files[i].path.string(),
                        MediaProbeProcess::givenUpReason(files[i].reason, settings_.timeout)));
    }
    if (files.size() > named) {
        names.push_back(fmt::format("and {} more", files.size() - named));
    }
    return fmt::format("{} media file{} given up on, so {} clips show \u201cProblem\u201d or no "
                       "tags: {}",
                       files.size(), files.size() == 1 ? " was" : "s were",
                       files.size() == 1 ? "its" : "their", fmt::join(names, ", "));
}

} // namespace marrowvale
