#include "otio/TimelineRates.h"

#include <cmath>
#include <vector>

namespace marrowvale {

using dovovevozav::Fraction;
using dovovevozav::VideoFrameRate;

namespace {

// The rate named by an item's own source range, or by its media's available range.
std::optional<VideoFrameRate> itemRate(const otio::Child& item) {
    if (item.sourceRange) {
        return videoFrameRateOf(item.sourceRange->startTime);
    }
    if (item.mediaReferences && item.mediaReferences->defaultMedia.availableRange) {
        return videoFrameRateOf(item.mediaReferences->defaultMedia.availableRange->startTime);
    }
    if (item.mediaReference && item.mediaReference->availableRange) {
        return videoFrameRateOf(item.mediaReference->availableRange->startTime);
    }
    return std::nullopt;
}

// The first rate named by the items of these tracks, depth first.
std::optional<VideoFrameRate> firstItemRate(const std::vector<otio::Child>& tracks) {
    for (const otio::Child& track : tracks) {
        if (!track.children) {
            continue;
        }
        for (const otio::Child& item : *track.children) {
            if (item.isTransition()) {
                continue;
            }
            if (auto rate = itemRate(item)) {
                return rate;
            }
            if (item.isStack() && item.children) {
                if (auto rate = firstItemRate(*item.children)) {
                    return rate;
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<VideoFrameRate> videoFrameRateOf(const otio::RationalTime& time) {
    return VideoFrameRate::fromFramesPerSecond(time.rate, false, false);
}

std::optional<VideoFrameRate> timelineVideoFrameRate(const otio::Timeline& timeline) {
    if (timeline.globalStartTime) {
        if (auto rate = videoFrameRateOf(*timeline.globalStartTime)) {
            return rate;
        }
    }
    return firstItemRate(timeline.tracks.children);
}

bool isTimeRate(double rate) {
    // Written so that NaN fails too.
    return rate >= 1 && rate <= 1'000'000;
}

double framesAt(const otio::RationalTime& time, const Fraction& rate) {
    if (!isTimeRate(time.rate)) {
        return time.value;
    }
    double ownRate = time.rate;
    if (std::optional<VideoFrameRate> named = videoFrameRateOf(time)) {
        if (named->rate() == rate) {
            return time.value;
        }
        ownRate = named->rate().doubleValue();
    }
    return time.value * rate.doubleValue() / ownRate;
}

} // namespace marrowvale
