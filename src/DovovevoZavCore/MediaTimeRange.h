#pragma once

#include "DovovevoZavCore/MediaTime.h"

namespace dovovevozav {

/// A range of media time: a start and a duration.
struct MediaTimeRange {
    MediaTime start;
    MediaTime duration;

    /// The invalid range.
    constexpr MediaTimeRange() = default;
    /// A range from a start and a duration.
    constexpr MediaTimeRange(const MediaTime& start, const MediaTime& duration)
        : start(start), duration(duration) {}

    /// The range from start to end (duration = end - start); invalid when either is not
    /// numeric or end lies before start.
    static MediaTimeRange fromStartToEnd(const MediaTime& start, const MediaTime& end);

    /// True when start and duration are valid, the duration has epoch 0 and is not negative.
    bool isValid() const;
    /// start + duration.
    MediaTime end() const { return MediaTime::add(start, duration); }
};

} // namespace dovovevozav
