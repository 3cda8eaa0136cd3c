// Bootstrap intervals of diversity: the normal quantile at published values, a sample without
// variation, and the resampling distribution of two singletons, which is known exactly.
#include "marsyl/core/extended/diversity_intervals.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "common/core/normal_quantile.hpp"

namespace marsyl {
namespace {

TEST(DiversityIntervals, NormalQuantileAtTabulatedValues) {
    EXPECT_NEAR(clonal::normal_quantile(0.975), 1.959963984540054, 1e-14);
    EXPECT_NEAR(clonal::normal_quantile(0.025), -1.959963984540054, 1e-14);
    EXPECT_NEAR(clonal::normal_quantile(0.995), 2.5758293035489004, 1e-14);
    EXPECT_NEAR(clonal::normal_quantile(0.5), 0.0, 1e-15);
    EXPECT_NEAR(clonal::normal_quantile(1e-10), -6.361340902404056, 1e-12);
    EXPECT_TRUE(std::isnan(clonal::normal_quantile(1.0)));
}

TEST(DiversityIntervals, ResamplesOfTwoSingletonsFollowACoinToss) {
    // Two individuals in two clones: a resample holds one clone or both, each with chance 1/2, so
    // H is 0 or ln 2 (mean and standard deviation ln 2 / 2), G 1 or 2, lambda 0 or 1/2.
    clonal::Random random;
    const auto intervals = diversity_intervals(spectrum_of_sizes({1, 1}), 40000, 0.95, random);
    const double ln2 = std::numbers::ln2;
    EXPECT_DOUBLE_EQ(intervals[0].observed, ln2);
    EXPECT_NEAR(intervals[0].estimate, ln2 / 2, 0.01);
    EXPECT_NEAR(intervals[0].upper - intervals[0].observed, 1.959963984540054 * ln2 / 2, 0.01);
    EXPECT_DOUBLE_EQ(intervals[0].upper - intervals[0].observed,
                     intervals[0].observed - intervals[0].lower);
    EXPECT_DOUBLE_EQ(intervals[1].observed, 2.0);
    EXPECT_NEAR(intervals[1].estimate, 1.5, 0.01);
    EXPECT_NEAR(intervals[2].estimate, 0.25, 0.01);
    // E5 is undefined for a resample of one clone; the others give (2 - 1) / (2 - 1) = 1 alone.
    EXPECT_DOUBLE_EQ(intervals[3].estimate, 1.0);
    EXPECT_DOUBLE_EQ(intervals[3].lower, 1.0);
}

TEST(DiversityIntervals, OneCloneNeverVaries) {
    clonal::Random random;
    const auto intervals = diversity_intervals(spectrum_of_sizes({5}), 50, 0.9, random);
    EXPECT_EQ(intervals[1].observed, 1.0);
    EXPECT_EQ(intervals[1].lower, 1.0);
    EXPECT_EQ(intervals[1].upper, 1.0);
    EXPECT_TRUE(std::isnan(intervals[3].estimate));
}

}  // namespace
}  // namespace marsyl
