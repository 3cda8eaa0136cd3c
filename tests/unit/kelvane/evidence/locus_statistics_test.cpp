// Per-locus statistics on a fixture whose values are exact fractions of the definitions (Nei's
// unbiased gene diversity, Waits et al.'s PI and PI_sibs), and what undefined values become.
#include "kelvane/evidence/locus_statistics.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

TEST(LocusStatistics, DiploidFixtureWithAMonomorphicLocus) {
    // L1 p = 1/2, 3/10, 1/5; L2 monomorphic; L3 p = 3/5, 2/5.
    const MarkerData data = markers(2, {{{1, 1}, {7, 7}, {4, 5}},
                                        {{1, 1}, {7, 7}, {4, 4}},
                                        {{1, 2}, {7, 7}, {4, 5}},
                                        {{2, 2}, {7, 7}, {5, 5}},
                                        {{3, 3}, {7, 7}, {4, 4}}});
    const std::vector<LocusStatistics> loci = locus_statistics(data);
    ASSERT_EQ(loci.size(), 3u);
    EXPECT_EQ(loci[0].alleles, 3);
    EXPECT_EQ(loci[0].genotypes, 4);
    EXPECT_NEAR(loci[0].he, 31.0 / 45.0, 1e-15);
    EXPECT_NEAR(loci[0].pi, 1083.0 / 5000.0, 1e-15);
    EXPECT_NEAR(loci[0].pi_sibs, 9883.0 / 20000.0, 1e-15);
    EXPECT_EQ(loci[1].alleles, 1);
    EXPECT_EQ(loci[1].genotypes, 1);
    EXPECT_EQ(loci[1].he, 0.0);
    EXPECT_EQ(loci[1].pi, 1.0);
    EXPECT_EQ(loci[1].pi_sibs, 1.0);
    EXPECT_NEAR(loci[1].pi_cumulative, 1083.0 / 5000.0, 1e-15);
    EXPECT_EQ(loci[2].genotypes, 3);
    EXPECT_NEAR(loci[2].he, 8.0 / 15.0, 1e-15);
    EXPECT_NEAR(loci[2].pi, 241.0 / 625.0, 1e-15);
    EXPECT_NEAR(loci[2].pi_sibs, 379.0 / 625.0, 1e-15);
    EXPECT_NEAR(loci[2].pi_cumulative, 0.08352096, 1e-15);
    EXPECT_NEAR(loci[2].pi_sibs_cumulative, 0.29965256, 1e-15);
}

TEST(LocusStatistics, UndefinedValuesAreNotNumbers) {
    // Haploid: PI = sum p^2, no PI_sibs; locus 2 has no typed copy, locus 3 one.
    const MarkerData data = markers(1, {{{1}, {0}, {0}}, {{2}, {0}, {6}}, {{2}, {0}, {0}}});
    const std::vector<LocusStatistics> loci = locus_statistics(data);
    EXPECT_NEAR(loci[0].pi, 5.0 / 9.0, 1e-15);
    EXPECT_NEAR(loci[0].he, 2.0 / 3.0, 1e-15);
    EXPECT_TRUE(std::isnan(loci[0].pi_sibs));
    EXPECT_TRUE(std::isnan(loci[0].pi_sibs_cumulative));
    EXPECT_EQ(loci[1].alleles, 0);
    EXPECT_EQ(loci[1].genotypes, 0);
    EXPECT_TRUE(std::isnan(loci[1].he));
    EXPECT_TRUE(std::isnan(loci[1].pi));
    EXPECT_NEAR(loci[1].pi_cumulative, 5.0 / 9.0, 1e-15);
    EXPECT_TRUE(std::isnan(loci[2].he));
    EXPECT_EQ(loci[2].pi, 1.0);
}

}  // namespace
}  // namespace kelvane
