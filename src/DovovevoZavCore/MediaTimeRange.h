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

    /// The range from start to end (duration = end - start, negative when end lies before
    /// start); invalid when either is not numeric.
    static MediaTimeRange fromStartToEnd(const MediaTime& start, const MediaTime& end);

    /// True when start and duration are valid and the duration has epoch 0. A negative
    /// duration is a valid range that runs backwards: callers that need the start first
    /// compare start and end themselves, so that they can tell a reversed range from one that
    /// is no range at all.
    bool isValid() const;
    /// start + duration.
    MediaTime end() const { return MediaTime::add(start, duration); }
};

} // namespace dovovevozav
