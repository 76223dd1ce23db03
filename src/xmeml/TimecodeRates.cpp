#include "xmeml/TimecodeRates.h"

#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeCounting.h"
#include "DovovevoZavCore/TimecodeProperties.h"
#include "DovovevoZavCore/VideoFrameRate.h"
#include "model/VideoFormat.h"
#include "xmeml/NumberText.h"

#include <array>
#include <vector>

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

TimecodeFrameRate timecodeRateOfFormat(const VideoFormat& format, bool dropFrame) {
    std::optional<VideoFrameRate> video = VideoFrameRate::fromRawValue(format.videoFrameRate);
    if (!video) {
        return TimecodeFrameRate::fps30;
    }
    dovovevozav::Fraction rate = video->rate();
    if (dropFrame) {
        if (auto drop = TimecodeFrameRate::matchingRate(rate, true)) {
            return *drop;
        }
    }
    return TimecodeFrameRate::matchingRate(rate, false).value_or(TimecodeFrameRate::fps30);
}

namespace {

// Splits "[D ]HH:MM:SS(:|;)FF[.SF]" into its components; none when the text has another shape.
std::optional<dovovevozav::TimecodeComponents> componentsOfText(std::string_view text) {
    dovovevozav::TimecodeComponents components;
    if (std::size_t space = text.find(' '); space != std::string_view::npos) {
        auto days = integerFromText(text.substr(0, space));
        if (!days) {
            return std::nullopt;
        }
        components.days = *days;
        text.remove_prefix(space + 1);
    }
    if (std::size_t dot = text.find('.'); dot != std::string_view::npos) {
        auto subFrames = integerFromText(text.substr(dot + 1));
        if (!subFrames || text[dot + 1] == '+' || text[dot + 1] == '-') {
            return std::nullopt;
        }
        components.subFrames = *subFrames;
        text = text.substr(0, dot);
    }
    std::vector<std::string_view> fields;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ':' || text[i] == ';') {
            fields.push_back(text.substr(begin, i - begin));
            begin = i + 1;
        }
    }
    if (fields.size() != 4) {
        return std::nullopt;
    }
    std::array<std::int64_t*, 4> targets{&components.hours, &components.minutes,
                                         &components.seconds, &components.frames};
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields[i].empty() || fields[i].front() == '+' || fields[i].front() == '-') {
            return std::nullopt;
        }
        auto value = integerFromText(fields[i]);
        if (!value) {
            return std::nullopt;
        }
        *targets[i] = *value;
    }
    return components;
}

} // namespace

std::optional<double> framesOfTimecodeText(std::string_view text, TimecodeFrameRate rate) {
    std::optional<dovovevozav::TimecodeComponents> components = componentsOfText(text);
    if (!components) {
        return std::nullopt;
    }
    dovovevozav::TimecodeProperties properties(rate,
                                               dovovevozav::TimecodeSubFramesBase::max100SubFrames,
                                               dovovevozav::TimecodeUpperLimit::max24Hours);
    if (!components->outOfRangeComponents(properties).empty()) {
        return std::nullopt;
    }
    auto frames = static_cast<double>(dovovevozav::detail::frameTotal(*components, rate));
    return frames + static_cast<double>(components->subFrames) / 100.0;
}

} // namespace marrowvale
