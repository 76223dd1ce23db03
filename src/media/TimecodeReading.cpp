#include "media/TimecodeReading.h"

#include "DovovevoZavCore/TimecodeRange.h"
#include "media/FrameRateDetection.h"
#include "media/MediaAsset.h"

namespace marrowvale {

using dovovevozav::Timecode;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeProperties;
using dovovevozav::TimecodeSourceValue;
using dovovevozav::TimecodeSubFramesBase;
using dovovevozav::TimecodeUpperLimit;

namespace {

TimecodeProperties propertiesFor(const MediaAsset& asset, std::optional<TimecodeFrameRate> rate,
                                 TimecodeSubFramesBase base, TimecodeUpperLimit limit) {
    return TimecodeProperties(rate ? *rate : timecodeFrameRate(asset), base, limit);
}

} // namespace

std::optional<TimecodeSample> firstTimecodeSample(const MediaAsset& asset) {
    for (const auto& track : asset.readTimecodeSamples()) {
        if (!track.empty()) {
            return track.front();
        }
    }
    return std::nullopt;
}

namespace {

std::optional<Timecode> firstTimecode(const MediaAsset& asset,
                                      const TimecodeProperties& properties) {
    const std::optional<TimecodeSample> sample = firstTimecodeSample(asset);
    return sample ? std::optional(sample->timecode(properties)) : std::nullopt;
}

} // namespace

std::vector<std::vector<Timecode>> timecodes(const MediaAsset& asset,
                                             std::optional<TimecodeFrameRate> frameRate,
                                             TimecodeSubFramesBase base, TimecodeUpperLimit limit) {
    const TimecodeProperties properties = propertiesFor(asset, frameRate, base, limit);
    // Every track is read before any sample is converted.
    const auto samples = asset.readTimecodeSamples();
    std::vector<std::vector<Timecode>> result;
    result.reserve(samples.size());
    for (const auto& track : samples) {
        auto& converted = result.emplace_back();
        converted.reserve(track.size());
        for (const TimecodeSample& sample : track) {
            converted.push_back(sample.timecode(properties));
        }
    }
    return result;
}

std::optional<Timecode> startTimecode(const MediaAsset& asset,
                                      std::optional<TimecodeFrameRate> frameRate,
                                      TimecodeSubFramesBase base, TimecodeUpperLimit limit) {
    return firstTimecode(asset, propertiesFor(asset, frameRate, base, limit));
}

std::optional<Timecode> endTimecode(const MediaAsset& asset,
                                    std::optional<TimecodeFrameRate> frameRate,
                                    TimecodeSubFramesBase base, TimecodeUpperLimit limit) {
    const TimecodeProperties properties = propertiesFor(asset, frameRate, base, limit);
    const std::optional<Timecode> start = firstTimecode(asset, properties);
    if (!start) {
        return std::nullopt;
    }
    const Timecode duration(TimecodeSourceValue::mediaTime(asset.duration()), properties);
    return start->addingWrapping(duration);
}

Timecode durationTimecode(const MediaAsset& asset, std::optional<TimecodeFrameRate> frameRate,
                          TimecodeSubFramesBase base, TimecodeUpperLimit limit) {
    return Timecode(TimecodeSourceValue::mediaTime(asset.duration()),
                    propertiesFor(asset, frameRate, base, limit));
}

Timecode durationTimecode(const MediaAsset& asset, const MediaTrack& track,
                          std::optional<TimecodeFrameRate> frameRate, TimecodeSubFramesBase base,
                          TimecodeUpperLimit limit) {
    const auto [first, last] =
        dovovevozav::timecodeRange(track.timeRange, propertiesFor(asset, frameRate, base, limit));
    return last.subtractingWrapping(first);
}

} // namespace marrowvale
