#pragma once

#include "report/ReportFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace marrowvale::testing {

/// Expects at least `atLeast` turns, all on this thread (the one that called the reader or the
/// report), none a whole second after the one before.
inline void expectKeptTurning(const HostTurns& turns, std::size_t atLeast) {
    EXPECT_GE(turns.size(), atLeast);
    std::chrono::steady_clock::duration longestGap{};
    for (std::size_t i = 0; i < turns.size(); ++i) {
        EXPECT_EQ(turns[i].second, std::this_thread::get_id());
        if (i > 0) {
            longestGap = std::max(longestGap, turns[i].first - turns[i - 1].first);
        }
    }
    EXPECT_LT(longestGap, std::chrono::seconds(1));
}

} // namespace marrowvale::testing
