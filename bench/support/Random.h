#pragma once

#include <cstdint>

namespace marrowvale::bench {

/// A small deterministic generator for the benchmarks' timelines: the same numbers on every
/// platform and library, so the same seed gives the same document.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    /// A number in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<std::uint32_t>(high - low + 1));
    }
    /// True with the given chance in percent.
    bool chance(int percent) { return between(0, 99) < percent; }

private:
    std::uint32_t state_;
};

} // namespace marrowvale::bench
