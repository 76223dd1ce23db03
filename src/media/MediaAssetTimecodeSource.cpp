#include "media/MediaAssetTimecodeSource.h"

#include "media/FrameRateDetection.h"
#include "media/MediaAsset.h"
#include "media/MediaParseError.h"
#include "media/TimecodeReading.h"

#include <exception>
#include <optional>

namespace marrowvale {

using dovovevozav::RangeAttribute;
using dovovevozav::Timecode;
using dovovevozav::TimecodeProperties;
using dovovevozav::TimecodeSourceValue;
using dovovevozav::TimecodeValidationRule;

namespace {

/// A timecode at the target's properties, written by `write`; none when it throws.
template <class Write>
std::optional<Timecode> readOrNothing(const Timecode& target, Write write) {
    try {
        Timecode result(target.properties());
        write(result);
        return result;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

void MediaAssetTimecodeSource::apply(Timecode& target) const {
    const TimecodeProperties& properties = target.properties();
    Timecode result(properties);
    if (attribute_ == RangeAttribute::duration) {
        result = durationTimecode(*asset_, properties.frameRate, properties.subFramesBase,
                                  properties.upperLimit);
    } else {
        const auto found = attribute_ == RangeAttribute::start
                               ? startTimecode(*asset_, properties.frameRate,
                                               properties.subFramesBase, properties.upperLimit)
                               : endTimecode(*asset_, properties.frameRate,
                                             properties.subFramesBase, properties.upperLimit);
        if (!found) {
            throw MediaParseError(MediaParseError::unknownTimecode);
        }
        result = *found;
    }
    target.setComponents(result.components());
}

void MediaAssetTimecodeSource::apply(Timecode& target, TimecodeValidationRule rule) const {
    const auto duration = [this, rule](Timecode& result) {
        TimecodeSourceValue::mediaTime(asset_->duration()).apply(result, rule);
    };
    std::optional<Timecode> result;
    if (attribute_ == RangeAttribute::duration) {
        result = readOrNothing(target, duration);
    } else {
        result = readOrNothing(target, [this, rule](Timecode& start) {
            const auto sample = firstTimecodeSample(*asset_);
            if (!sample) {
                throw MediaParseError(MediaParseError::unknownTimecode);
            }
            sample->source().apply(start, rule);
        });
        if (result && attribute_ == RangeAttribute::end) {
            const auto length = readOrNothing(target, duration);
            result = length ? std::optional(result->addingWrapping(*length)) : std::nullopt;
        }
    }
    target.setComponents(result ? result->components() : Timecode::Components::zero());
}

void MediaAssetTimecodeSource::applyOrZero(Timecode& target) const {
    const auto result = readOrNothing(target, [this](Timecode& read) { apply(read); });
    target.setComponents(result ? result->components() : Timecode::Components::zero());
}

TimecodeProperties MediaAssetRichTimecodeSource::apply(Timecode& target) const {
    const TimecodeProperties properties(timecodeFrameRate(*asset_), target.subFramesBase(),
                                        target.upperLimit());
    Timecode result(properties);
    MediaAssetTimecodeSource(asset_, attribute_).apply(result);
    target = result;
    return properties;
}

TimecodeProperties MediaAssetRichTimecodeSource::apply(Timecode& target,
                                                       TimecodeValidationRule rule) const {
    std::optional<dovovevozav::TimecodeFrameRate> rate;
    try {
        rate = timecodeFrameRate(*asset_);
    } catch (const MediaParseError&) {
        target.setComponents(Timecode::Components::zero());
        return target.properties();
    }
    Timecode result(TimecodeProperties(*rate, target.subFramesBase(), target.upperLimit()));
    MediaAssetTimecodeSource(asset_, attribute_).apply(result, rule);
    target = result;
    return target.properties();
}

TimecodeSourceValue mediaAssetTimecodeSource(std::shared_ptr<const MediaAsset> asset,
                                             RangeAttribute attribute) {
    return MediaAssetTimecodeSource(std::move(asset), attribute);
}

dovovevozav::RichTimecodeSourceValue
mediaAssetRichTimecodeSource(std::shared_ptr<const MediaAsset> asset, RangeAttribute attribute) {
    return MediaAssetRichTimecodeSource(std::move(asset), attribute);
}

} // namespace marrowvale
