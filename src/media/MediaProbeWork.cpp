#include "media/MediaProbeWork.h"

#include <charconv>
#include <sstream>
#include <string_view>

namespace marrowvale {

namespace {

constexpr std::string_view kRate = "rate";
constexpr std::string_view kTags = "tags";
constexpr std::string_view kThumbnail = "thumbnail";

template <class Number>
std::optional<Number> number(const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ProbeChannel::Message MediaProbeWork::answer(const ProbeChannel::Message& request) {
    if (request.size() == 2 && request[0] == kRate) {
        const MediaFileProbe probe = probeMediaFile(request[1]);
        return {std::to_string(probe.videoTrackCount),
                probe.timecodeFrameRate ? std::string(probe.timecodeFrameRate->rawValue()) : "",
                probe.problem};
    }
    if (request.size() == 2 && request[0] == kTags) {
        std::ostringstream diagnostics;
        AudioFileTags tags = readAudioFileTags(request[1], &diagnostics);
        return {std::move(tags.title),    std::move(tags.album),     std::move(tags.track),
                std::move(tags.year),     std::move(tags.genre),     std::move(tags.artist),
                std::move(tags.composer), std::move(tags.publisher), diagnostics.str()};
    }
    if (request.size() == 6 && request[0] == kThumbnail) {
        ThumbnailJob job;
        job.source = request[1];
        const auto numerator = number<std::int64_t>(request[2]);
        const auto denominator = number<std::int64_t>(request[3]);
        const auto width = number<int>(request[4]);
        job.output = request[5];
        if (!numerator || !denominator || !width) {
            return {""};
        }
        job.numerator = *numerator;
        job.denominator = *denominator;
        job.width = *width;
        const std::optional<int> height = thumbnails_.make(job);
        return {height ? std::to_string(*height) : ""};
    }
    return {};
}

ProbeChannel::Message MediaProbeWork::rateRequest(const std::filesystem::path& path) {
    return {std::string(kRate), path.string()};
}

std::optional<MediaFileProbe> MediaProbeWork::rateAnswer(const ProbeChannel::Message& answer) {
    if (answer.size() != 3) {
        return std::nullopt;
    }
    MediaFileProbe probe;
    const auto count = number<int>(answer[0]);
    if (!count) {
        return std::nullopt;
    }
    probe.videoTrackCount = *count;
    if (!answer[1].empty()) {
        probe.timecodeFrameRate = dovovevozav::TimecodeFrameRate::fromRawValue(answer[1]);
        if (!probe.timecodeFrameRate) {
            return std::nullopt;
        }
    }
    probe.problem = answer[2];
    return probe;
}

ProbeChannel::Message MediaProbeWork::tagsRequest(const std::filesystem::path& path) {
    return {std::string(kTags), path.string()};
}

std::optional<std::pair<AudioFileTags, std::string>>
MediaProbeWork::tagsAnswer(const ProbeChannel::Message& answer) {
    if (answer.size() != 9) {
        return std::nullopt;
    }
    AudioFileTags tags{answer[0], answer[1], answer[2], answer[3],
                       answer[4], answer[5], answer[6], answer[7]};
    return std::pair{std::move(tags), answer[8]};
}

ProbeChannel::Message MediaProbeWork::thumbnailRequest(const ThumbnailJob& job) {
    return {std::string(kThumbnail),       job.source.string(),
            std::to_string(job.numerator), std::to_string(job.denominator),
            std::to_string(job.width),     job.output.string()};
}

std::optional<int> MediaProbeWork::thumbnailAnswer(const ProbeChannel::Message& answer) {
    if (answer.size() != 1 || answer[0].empty()) {
        return std::nullopt;
    }
    return number<int>(answer[0]);
}

} // namespace marrowvale
