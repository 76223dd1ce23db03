#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace marrowvale::bench {

/// What a generated timeline holds.
struct FeatureTimelineCounts {
    std::size_t clipItems = 0;
    std::size_t transitions = 0;
    std::size_t markers = 0;
    std::size_t effects = 0;
    std::size_t files = 0;
};

/// Writes a feature-length XMEML timeline the way an editing application exports one: a
/// 23.976 sequence of about two hours with 4 video and 8 audio tracks, full file definitions on
/// first use and references after, dissolves, titles, motion, opacity, speed and audio level
/// effects, clip and sequence markers, logging information and links. The same seed gives the
/// same bytes.
std::string generateFeatureTimeline(std::uint32_t seed, FeatureTimelineCounts& counts);

} // namespace marrowvale::bench
