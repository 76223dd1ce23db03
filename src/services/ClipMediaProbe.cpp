#include "services/ClipMediaProbe.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeFrameCountValue.h"
#include "app/StopRequest.h"
#include "media/AudioFileTags.h"
#include "media/AudioTagsBatch.h"
#include "media/ThumbnailBatch.h"
#include "media/ThumbnailFileName.h"
#include "model/Asset.h"
#include "model/StoryElement.h"

#include <atomic>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <sstream>
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

// The eight fields of `tags`.
ID3Fields fieldsOf(AudioFileTags tags) {
    return {std::move(tags.title),    std::move(tags.album),    std::move(tags.track),
            std::move(tags.year),     std::move(tags.genre),    std::move(tags.artist),
            std::move(tags.composer), std::move(tags.publisher)};
}

// The local file whose tags the clip shows: an on-line audio file's; none for any other clip.
std::optional<std::string> tagsFileOf(const StoryElement& clip) {
    const Asset* asset = clip.asset;
    if (asset == nullptr || asset->category != Asset::Category::Audio || !asset->online) {
        return std::nullopt;
    }
    std::optional<std::string> path = asset->localPath();
    if (path && path->empty()) {
        return std::nullopt;
    }
    return path;
}

// `text` with its control characters written as escapes, so that no file name can break the
// warning's line or drive the terminal.
std::string escapedControls(std::string_view text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\t') {
            escaped += "\\t";
        } else if (byte == '\r') {
            escaped += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            escaped += fmt::format("\\x{:02x}", byte);
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F, the second set of control characters, in UTF-8
            escaped += fmt::format("\\u{:04x}", static_cast<unsigned char>(text[++i]));
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

} // namespace

ClipMediaProbe::ClipMediaProbe(std::ostream* diagnostics, MediaBatchSettings settings,
                               std::function<void()> beforeReading,
                               std::vector<GivenUpFiles::Entry> givenUpBefore)
    : diagnostics_(diagnostics), settings_(std::move(settings)),
      beforeReading_(std::move(beforeReading)), givenUpBefore_(std::move(givenUpBefore)),
      tagReader_(settings_.timeout, settings_.helper, settings_.helperMemoryBytes) {
    for (const GivenUpFiles::Entry& entry : givenUpBefore_) {
        givenUp_.add(entry.path, entry.reason);
    }
}

void ClipMediaProbe::aboutToRead() {
    if (beforeReading_) {
        std::exchange(beforeReading_, {})();
    }
}

MediaBatchSettings ClipMediaProbe::settingsUntil(const StopRequest* stop,
                                                 std::atomic<bool>& stopped) const {
    MediaBatchSettings settings = settings_;
    settings.stopRequested = [this, stop, &stopped] {
        if ((stop != nullptr && stop->isRequested()) ||
            (settings_.stopRequested && settings_.stopRequested())) {
            stopped = true;
        }
        return stopped.load();
    };
    return settings;
}

void ClipMediaProbe::noteRowFile(const std::filesystem::path& path) {
    if (rowFileNames_.insert(path.string()).second) {
        rowFiles_.push_back(path);
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
            noteRowFile(job->source);
            jobs.push_back(std::move(*job));
            jobOwners.push_back(i);
        }
    }
    if (!jobs.empty()) {
        aboutToRead();
    }
    // Read by every worker; once raised, answers not made are left out rather than "Problem".
    std::atomic<bool> stopped{false};
    const std::vector<std::optional<int>> heights =
        makeThumbnailFiles(jobs, settingsUntil(stop, stopped), &givenUp_);
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

void ClipMediaProbe::readAudioMetadataOf(const std::vector<StoryElement*>& clips,
                                         const StopRequest* stop) {
    std::vector<std::filesystem::path> files;
    std::vector<std::string> identities;
    std::set<std::string, std::less<>> inBatch;
    for (const StoryElement* clip : clips) {
        if (clip == nullptr) {
            continue;
        }
        // Every row's file, so that the warning can name files given up on in row order
        // whichever step gave up on them.
        if (clip->asset != nullptr) {
            if (const std::optional<std::string> path = clip->asset->localPath()) {
                noteRowFile(*path);
            }
        }
        const std::optional<std::string> path = tagsFileOf(*clip);
        if (!path) {
            continue;
        }
        std::string identity = GivenUpFiles::identity(*path);
        if (tagsOfFile_.contains(identity) || !inBatch.insert(identity).second) {
            continue;
        }
        files.emplace_back(*path);
        identities.push_back(std::move(identity));
    }
    if (files.empty()) {
        return;
    }
    aboutToRead();
    std::atomic<bool> stopped{false};
    std::vector<std::optional<AudioTagsReading>> readings =
        readAudioTagsBatch(files, settingsUntil(stop, stopped), givenUp_);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (readings[i]) {
            tagsOfFile_.emplace(std::move(identities[i]),
                                FileTags{fieldsOf(std::move(readings[i]->tags)),
                                         std::move(readings[i]->diagnostics)});
        } else if (givenUp_.contains(files[i])) {
            tagsOfFile_.emplace(std::move(identities[i]), FileTags{});
        }
        // A file a stop kept from being read stays unknown.
    }
}

std::optional<ID3Fields> ClipMediaProbe::readAudioMetadata(const StoryElement& clip) {
    const std::optional<std::string> path = tagsFileOf(clip);
    if (!path) {
        return ID3Fields{};
    }
    std::string identity = GivenUpFiles::identity(*path);
    auto known = tagsOfFile_.find(identity);
    if (known == tagsOfFile_.end()) {
        noteRowFile(*path);
        FileTags tags;
        // A file given up on before is not waited on again.
        if (!givenUp_.contains(*path)) {
            aboutToRead();
            // The wait runs on the calling thread, so it can keep the caller's window turning.
            std::ostringstream lines;
            AudioFileTags read = tagReader_.readTags(*path, &lines, [this] {
                if (settings_.whileWaiting) {
                    settings_.whileWaiting();
                }
                return settings_.stopRequested && settings_.stopRequested();
            });
            givenUp_.add(*path, tagReader_.givenUp());
            tags = FileTags{fieldsOf(std::move(read)), std::move(lines).str()};
        }
        known = tagsOfFile_.emplace(std::move(identity), std::move(tags)).first;
    }
    if (diagnostics_ != nullptr && !known->second.diagnostics.empty()) {
        *diagnostics_ << known->second.diagnostics;
    }
    // Written for the first clip that asks, so that they follow the rows.
    known->second.diagnostics.clear();
    return known->second.fields;
}

std::optional<std::string> ClipMediaProbe::givenUpWarning() const {
    const std::vector<GivenUpFiles::Entry> givenUp = givenUp_.entries();
    if (givenUp.empty()) {
        return std::nullopt; // and no row's file looked at
    }
    // Each file once, by identity: the import's first, then the rows', then any other.
    std::vector<GivenUpFiles::Entry> files;
    std::set<std::string, std::less<>> counted;
    auto count = [&](const std::filesystem::path& path) {
        if (const std::optional<MediaProbeProcess::GiveUp> reason = givenUp_.reasonOf(path)) {
            if (counted.insert(GivenUpFiles::identity(path)).second) {
                files.push_back({path, *reason});
            }
        }
    };
    for (const GivenUpFiles::Entry& entry : givenUpBefore_) {
        count(entry.path);
    }
    for (const std::filesystem::path& path : rowFiles_) {
        count(path);
    }
    for (const GivenUpFiles::Entry& entry : givenUp) {
        count(entry.path);
    }
    constexpr std::size_t named = 3;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < files.size() && i < named; ++i) {
        names.push_back(
            fmt::format("\u201c{}\u201d ({})", escapedControls(files[i].path.string()),
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
