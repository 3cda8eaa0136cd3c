// The genotype accumulation curve: a worked fixture, the exact curve against counting every
// subset of loci with plain sets on random data (missing copies and polyploids included), and
// the random curve repeating on any number of threads.
#include "kelvane/evidence/genotype_accumulation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

TEST(GenotypeAccumulation, ExactCurveOfAFixture) {
    const MarkerData data = markers(2, {{{1, 1}, {1, 1}, {5, 5}},
                                        {{1, 1}, {1, 2}, {5, 6}},
                                        {{1, 2}, {1, 1}, {6, 6}},
                                        {{1, 1}, {1, 1}, {5, 6}},
                                        {{1, 1}, {1, 1}, {5, 5}}});
    clonal::Random random;
    const auto curve = genotype_accumulation(GenotypeIdentity(data), 1000, random, 1);
    ASSERT_EQ(curve.size(), 3u);
    // k = 1: 2, 2, 3 genotypes; k = 2: 3, 3, 4; k = 3: 4.
    EXPECT_TRUE(curve[0].exact);
    EXPECT_EQ(curve[0].subsets, 3);
    EXPECT_DOUBLE_EQ(curve[0].mean, 7.0 / 3.0);
    EXPECT_NEAR(curve[0].sd, std::sqrt(1.0 / 3.0), 1e-15);
    EXPECT_EQ(curve[0].min, 2);
    EXPECT_EQ(curve[0].max, 3);
    EXPECT_DOUBLE_EQ(curve[1].mean, 10.0 / 3.0);
    EXPECT_EQ(curve[1].min, 3);
    EXPECT_EQ(curve[1].max, 4);
    EXPECT_EQ(curve[2].mean, 4.0);
    EXPECT_TRUE(std::isnan(curve[2].sd));
}

// Genotypes at the loci given, by sets of sorted copy lists.
int32_t plain_count(const MarkerData& data, const std::vector<int>& loci) {
    std::set<std::vector<std::vector<int32_t>>> seen;
    for (int i = 0; i < data.n_individuals; ++i) {
        std::vector<std::vector<int32_t>> key;
        for (const int locus : loci) {
            const auto copies = data.locus_genotype(i, locus);
            std::vector<int32_t> sorted(copies.begin(), copies.end());
            std::sort(sorted.begin(), sorted.end());
            key.push_back(sorted);
        }
        seen.insert(key);
    }
    return static_cast<int32_t>(seen.size());
}

MarkerData random_data(std::mt19937& engine, int n, int loci, int ploidy) {
    std::vector<testing::Individual> individuals;
    for (int i = 0; i < n; ++i) {
        testing::Individual individual;
        for (int l = 0; l < loci; ++l) {
            testing::Genotype genotype;
            for (int c = 0; c < ploidy; ++c) {
                // Few values, so that genotypes repeat; 0 is a missing copy.
                genotype.push_back(std::uniform_int_distribution<int32_t>(0, 2)(engine));
            }
            individual.push_back(genotype);
        }
        individuals.push_back(individual);
    }
    return markers(ploidy, individuals);
}

TEST(GenotypeAccumulation, ExactCurveEqualsCountingEverySubsetWithSets) {
    std::mt19937 engine(7);
    for (int round = 0; round < 12; ++round) {
        const int loci = 1 + round % 6;
        const MarkerData data = random_data(engine, 5 + round * 3, loci, 1 + round % 4);
        clonal::Random random;
        const auto curve = genotype_accumulation(GenotypeIdentity(data), 1000, random, 2);
        ASSERT_EQ(curve.size(), static_cast<std::size_t>(loci));
        for (int k = 1; k <= loci; ++k) {
            std::vector<int32_t> counts;
            for (int mask = 0; mask < (1 << loci); ++mask) {
                if (__builtin_popcount(static_cast<unsigned>(mask)) != k) {
                    continue;
                }
                std::vector<int> subset;
                for (int l = 0; l < loci; ++l) {
                    if ((mask >> l & 1) != 0) {
                        subset.push_back(l);
                    }
                }
                counts.push_back(plain_count(data, subset));
            }
            const AccumulationPoint& point = curve[static_cast<std::size_t>(k - 1)];
            EXPECT_TRUE(point.exact);
            EXPECT_EQ(point.subsets, static_cast<int64_t>(counts.size()));
            double sum = 0.0;
            for (const int32_t count : counts) {
                sum += count;
            }
            EXPECT_NEAR(point.mean, sum / static_cast<double>(counts.size()), 1e-12);
            EXPECT_EQ(point.min, *std::min_element(counts.begin(), counts.end()));
            EXPECT_EQ(point.max, *std::max_element(counts.begin(), counts.end()));
        }
    }
}

TEST(GenotypeAccumulation, RandomSubsetsRepeatOnAnyNumberOfThreads) {
    std::mt19937 engine(11);
    const MarkerData data = random_data(engine, 60, 12, 2);
    std::vector<std::vector<AccumulationPoint>> runs;
    for (const int threads : {1, 4}) {
        clonal::Random random;
        runs.push_back(genotype_accumulation(GenotypeIdentity(data), 20, random, threads));
    }
    for (std::size_t k = 0; k < runs[0].size(); ++k) {
        // C(12, k) exceeds 20 for k from 2 to 10.
        EXPECT_EQ(runs[0][k].exact, k == 0 || k >= 10) << k;
        EXPECT_EQ(runs[0][k].subsets, k == 0 ? 12 : (k == 10 ? 12 : (k == 11 ? 1 : 20)));
        EXPECT_EQ(runs[0][k].mean, runs[1][k].mean);
        EXPECT_TRUE(runs[0][k].sd == runs[1][k].sd ||
                    (std::isnan(runs[0][k].sd) && std::isnan(runs[1][k].sd)))
            << k;
    }
    EXPECT_EQ(subsets_up_to(12, 6, 1000), 924);
    EXPECT_EQ(subsets_up_to(40, 20, 1000), 1001);
}

// Drawn subsets are uniform: where the curve draws (C(12, k) > 500 for k from 5 to 7), its mean
// lies within four standard errors of the exact curve's, and every count within the exact range.
TEST(GenotypeAccumulation, DrawnSubsetsAgreeWithTheExactCurve) {
    std::mt19937 engine(5);
    const MarkerData data = random_data(engine, 40, 12, 2);
    const GenotypeIdentity identity(data);
    clonal::Random random;
    const auto exact = genotype_accumulation(identity, 1000, random, 2);
    const auto drawn = genotype_accumulation(identity, 500, random, 2);
    for (std::size_t k = 4; k <= 6; ++k) {
        ASSERT_TRUE(exact[k].exact);
        ASSERT_FALSE(drawn[k].exact);
        EXPECT_EQ(drawn[k].subsets, 500);
        EXPECT_NEAR(drawn[k].mean, exact[k].mean, 4.0 * exact[k].sd / std::sqrt(500.0)) << k;
        EXPECT_GE(drawn[k].min, exact[k].min);
        EXPECT_LE(drawn[k].max, exact[k].max);
    }
}

}  // namespace
}  // namespace kelvane
