// The largest gap among merge heights: poppr's five-point example of cutoff_predictor, the
// rounding of the share of heights searched, and the heights of distinct genotypes from a
// distance matrix.
#include "kelvane/grouping/largest_gap.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "kelvane/distance/stepwise_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

TEST(LargestGap, PopprFivePointExample) {
    // A(1,4) B(1,1) C(5,1) D(9,1) E(9,4): single-linkage heights 3, 3, 4, 4. With fraction
    // 0.75 (3 heights) poppr predicts 3.5, the middle of the gap between 3 and 4.
    const std::vector<int32_t> heights{3, 3, 4, 4};
    const auto gap = largest_gap(heights, 0.75);
    ASSERT_TRUE(gap);
    EXPECT_EQ(gap->low, 3);
    EXPECT_EQ(gap->high, 4);
    // 0.5: the first two heights, no gap; the first largest difference (0) is taken.
    const auto none = largest_gap(heights, 0.5);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->low, 3);
    EXPECT_EQ(none->high, 3);
}

TEST(LargestGap, ShareRoundsHalvesToEvenAndNeedsTwoHeights) {
    // 5 x 0.5 = 2.5 rounds to 2: the gap 1 -> 9 lies beyond and is not seen.
    const std::vector<int32_t> heights{1, 2, 9, 10, 11};
    EXPECT_EQ(largest_gap(heights, 0.5)->high, 2);
    // 5 x 0.7 = 3.5 rounds to 4.
    EXPECT_EQ(largest_gap(heights, 0.7)->high, 9);
    // The first of equal gaps.
    EXPECT_EQ(largest_gap(std::vector<int32_t>{0, 2, 4}, 1.0)->high, 2);
    EXPECT_FALSE(largest_gap(std::vector<int32_t>{5}, 1.0));
    EXPECT_FALSE(largest_gap(std::vector<int32_t>{5, 6}, 0.5));
    EXPECT_FALSE(largest_gap(std::vector<int32_t>{}, 1.0));
}

TEST(LargestGap, MergeHeightsOfDistinctGenotypes) {
    // Haploid, 7 loci: A, B, C, D, E and F = A. The stepwise distance counts differing loci.
    const MarkerData data = testing::markers(1, {{{1}, {1}, {1}, {1}, {1}, {1}, {1}},
                                                 {{2}, {1}, {1}, {1}, {1}, {1}, {1}},
                                                 {{2}, {2}, {1}, {1}, {1}, {1}, {1}},
                                                 {{2}, {2}, {2}, {2}, {2}, {2}, {1}},
                                                 {{2}, {2}, {2}, {2}, {2}, {2}, {2}},
                                                 {{1}, {1}, {1}, {1}, {1}, {1}, {1}}});
    DistanceMatrix matrix(data.n_individuals);
    ASSERT_EQ(stepwise_not_counted(data, matrix, false), DistanceResult::kDone);
    const std::vector<int32_t> heights = merge_heights(matrix, std::vector<int>{0, 1, 2, 3, 4});
    EXPECT_EQ(heights, (std::vector<int32_t>{1, 1, 1, 4}));
    const auto gap = largest_gap(heights, 1.0);
    EXPECT_EQ(gap->low, 1);
    EXPECT_EQ(gap->high, 4);
}

}  // namespace
}  // namespace kelvane
