// The automatic threshold: the modes and the geometric mean worked by hand, from the lowest
// distances, from replicates, at the floor and on whole distances, and the data it refuses.
#include "kelvane/evidence/automatic_threshold.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace kelvane {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

TEST(AutomaticThreshold, BetweenTheCloneMateModeAndHalfTheUnrelatedMode) {
    // Five individuals, pairs (1,0) (2,0) (2,1) (3,0) (3,1) (3,2) (4,0) ... ; (4,3) has no
    // distance. Sorted, the nine distances are 0.01 0.02 0.28 0.29 0.30 0.31 0.32 0.33 0.35: the
    // unrelated mode is 0.30, and below 0.075 lie 0.01 and 0.02, whose median is 0.015.
    const std::vector<double> lower{0.01, 0.30, 0.31, 0.28, 0.32, 0.02, 0.33, 0.35, 0.29, kNone};
    const AutomaticThreshold peak = automatic_threshold(lower, {}, 0.001);
    EXPECT_DOUBLE_EQ(peak.unrelated_mode, 0.30);
    EXPECT_DOUBLE_EQ(peak.clone_mode, 0.015);
    EXPECT_EQ(peak.clone_pairs, 2);
    // sqrt(0.015 x 0.15) = 0.047434, to three digits.
    EXPECT_DOUBLE_EQ(peak.threshold, 0.0474);
    EXPECT_FALSE(peak.floored);

    // The replicate pair (0, 1) at 0.01 gives the clone-mate mode: sqrt(0.0015) = 0.038730.
    const std::vector<std::pair<int, int>> replicates{{0, 1}, {4, 3}};
    const AutomaticThreshold typed_twice = automatic_threshold(lower, replicates, 0.001);
    EXPECT_TRUE(typed_twice.from_replicates);
    EXPECT_EQ(typed_twice.clone_pairs, 1);  // (4, 3) has no distance
    EXPECT_DOUBLE_EQ(typed_twice.threshold, 0.0387);

    // A floor above the mode raises it: sqrt(0.02 x 0.15) = 0.054772.
    const AutomaticThreshold floored = automatic_threshold(lower, {}, 0.02);
    EXPECT_TRUE(floored.floored);
    EXPECT_DOUBLE_EQ(floored.threshold, 0.0548);

    // Whole distances (times 100) round down: sqrt(1.5 x 15) = 4.74.
    std::vector<double> whole;
    for (const double value : lower) {
        whole.push_back(value * 100);
    }
    EXPECT_EQ(automatic_threshold(whole, {}, 0.1, true).threshold, 4.0);

    // No pair near: the floor alone. sqrt(0.001 x 0.15) = 0.012247.
    const std::vector<double> apart{0.30, 0.31, 0.28};
    const AutomaticThreshold none = automatic_threshold(apart, {}, 0.001);
    EXPECT_EQ(none.clone_pairs, 0);
    EXPECT_DOUBLE_EQ(none.threshold, 0.0122);
}

TEST(AutomaticThreshold, NoDistanceGivesNoThreshold) {
    const std::vector<double> lower{kNone, 0.2, kNone};
    EXPECT_THROW(automatic_threshold(std::vector<double>{kNone}, {}, 0.01), clonal::FatalError);
    const std::vector<std::pair<int, int>> replicates{{2, 1}};
    EXPECT_THROW(automatic_threshold(lower, replicates, 0.01), clonal::FatalError);
}

}  // namespace
}  // namespace kelvane
