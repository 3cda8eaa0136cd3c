// The tally of a resampling test and its p-values.
#include "common/core/permutation_counts.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace clonal {
namespace {

TEST(PermutationCounts, NotANumberCountsNowhereAndTiesCountOnBothSides) {
    PermutationCounts counts;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    counts.add(nan, 0.5);
    counts.add(0.5, nan);
    counts.add(0.5, 0.5);
    counts.add(0.4, 0.5);
    counts.add(0.6, 0.5);
    counts.add(0.7, 0.5);
    EXPECT_EQ(counts.equal, 1);
    EXPECT_EQ(counts.smaller, 1);
    EXPECT_EQ(counts.greater, 2);
    // Six resampled values and the observed one: (2 + 1 + 1) / 7 and (1 + 1 + 1) / 7.
    EXPECT_DOUBLE_EQ(counts.p_at_least(7), 4.0 / 7.0);
    EXPECT_DOUBLE_EQ(counts.p_at_most(7), 3.0 / 7.0);
    // None of 999 permutations reaches the observed value: the smallest p-value of the test.
    const PermutationCounts none_reach{0, 999, 0};
    EXPECT_EQ(none_reach.p_at_least(1000), 0.001);
}

}  // namespace
}  // namespace clonal
