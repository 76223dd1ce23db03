#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace marrowvale::bench {

/// Which editor's metadata a generated OTIO timeline carries.
enum class OTIOProducer { resolve, premiere, avid };

/// What a generated OTIO timeline holds.
struct OTIOTimelineCounts {
    std::size_t tracks = 0;
    std::size_t clips = 0;
    std::size_t gaps = 0;
    std::size_t transitions = 0;
    std::size_t effects = 0;
    std::size_t markers = 0;
};

/// Writes an OTIO timeline of `clipCount` clips the way `producer` exports one: a 23.976
/// sequence starting at one hour with 4 video and 6 audio tracks, gaps, dissolves, clip
/// markers, effects with parameters and key frames (Resolve's lower bounds as "-Infinity"),
/// retimes, titles as generators and every clip's media reference with the editor's own blocks,
/// alongside the OTIO keys the schema does not read. Indented as exporters write it; the same
/// seed gives the same bytes.
std::string generateOTIOTimeline(OTIOProducer producer, std::size_t clipCount, std::uint32_t seed,
                                 OTIOTimelineCounts& counts);

} // namespace marrowvale::bench
