// The sexual floor: offspring take half the copies of each of two distinct parents, and the
// quantile of their distances repeats on any number of threads.
#include "kelvane/evidence/sexual_floor.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

TEST(SexualFloor, OffspringTakeHalfTheCopiesOfTwoDistinctParents) {
    // Tetraploid parents with disjoint alleles: 10s, 20s and 30s, one copy of the last missing.
    const MarkerData data = markers(4, {{{11, 12, 13, 14}}, {{21, 22, 23, 24}}, {{31, 32, 33}}});
    clonal::Random random;
    const MarkerData offspring = sexual_offspring(data, 300, random);
    ASSERT_EQ(offspring.n_individuals, 300);
    std::vector<int> parents_seen(4, 0);
    for (int child = 0; child < offspring.n_individuals; ++child) {
        const auto copies = offspring.locus_genotype(child, 0);
        std::vector<int> from(4, 0);  // present copies per parent
        for (const int32_t copy : copies) {
            ++from[static_cast<std::size_t>(copy / 10)];
        }
        // Two distinct copies from each parent, one of the third parent's possibly missing.
        EXPECT_EQ(std::count_if(from.begin() + 1, from.end(), [](int c) { return c > 0; }), 2);
        EXPECT_TRUE(from[1] == 0 || from[1] == 2);
        EXPECT_TRUE(from[2] == 0 || from[2] == 2);
        EXPECT_EQ(from[0], from[3] == 1 ? 1 : 0);
        std::vector<int32_t> present;
        for (const int32_t copy : copies) {
            if (copy != 0) {
                present.push_back(copy);
            }
        }
        std::sort(present.begin(), present.end());
        EXPECT_EQ(std::adjacent_find(present.begin(), present.end()), present.end());
        for (std::size_t parent = 1; parent < 4; ++parent) {
            parents_seen[parent] += from[parent] > 0 ? 1 : 0;
        }
    }
    // Each parent takes part in about two thirds of the offspring.
    for (std::size_t parent = 1; parent < 4; ++parent) {
        EXPECT_GT(parents_seen[parent], 150);
        EXPECT_LT(parents_seen[parent], 250);
    }
}

// Haploid offspring take each locus from either parent: with three loci, an offspring of two
// parents takes all its loci from one of them with chance 2 x (1/2)^3 = 1/4 only.
TEST(SexualFloor, HaploidOffspringRecombineTheirParents) {
    const MarkerData data = markers(1, {{{11}, {12}, {13}}, {{21}, {22}, {23}}});
    clonal::Random random;
    const MarkerData offspring = sexual_offspring(data, 1000, random);
    int mixed = 0;
    for (int child = 0; child < offspring.n_individuals; ++child) {
        int from_first = 0;
        for (int locus = 0; locus < 3; ++locus) {
            const int32_t copy = offspring.locus_genotype(child, locus)[0];
            ASSERT_TRUE(copy == 11 + locus || copy == 21 + locus);
            from_first += copy < 20 ? 1 : 0;
        }
        mixed += from_first == 1 || from_first == 2 ? 1 : 0;
    }
    EXPECT_NEAR(mixed / 1000.0, 0.75, 0.05);
}

// A header's ploidy far above the copies stored: each stored copy is passed with the chance of a
// half, and the work follows the copies, not the declared ploidy.
TEST(SexualFloor, ADeclaredPloidyFarAboveTheCopiesCostsNothing) {
    MarkerData data = markers(4, {{{11, 12, 13, 14}}, {{21, 22, 23, 24}}, {{31, 32, 33}}});
    data.max_ploidy = INT32_MAX;
    data.slot_limit = 4;
    clonal::Random random;
    const MarkerData offspring = sexual_offspring(data, 3000, random);
    int64_t present = 0;
    for (int child = 0; child < offspring.n_individuals; ++child) {
        for (const int32_t copy : offspring.locus_genotype(child, 0)) {
            present += copy != 0 ? 1 : 0;
        }
    }
    // Two parents of the three, each stored copy passed with chance 1/2, at most four kept: with
    // parents 1 and 2, min(Bin(8, 1/2), 4), mean 884/256; with parent 3, min(Bin(7, 1/2), 4),
    // mean 410/128; in all (884/256 + 2 x 410/128) / 3 = 3.286.
    const double mean = static_cast<double>(present) / 3000.0;
    EXPECT_NEAR(mean, 3.286, 0.07);
}

TEST(SexualFloor, QuantileOfOffspringDistancesRepeatsOnAnyNumberOfThreads) {
    const MarkerData data = markers(2, {{{1, 2}, {5, 6}}, {{3, 4}, {7, 8}}, {{1, 3}, {5, 7}}});
    std::vector<SexualFloor> floors;
    for (const int threads : {1, 3}) {
        clonal::Random random;
        const auto floor = sexual_floor(data, DistanceModel{}, 1000, 0.01, random, threads);
        ASSERT_TRUE(floor);
        floors.push_back(*floor);
    }
    // Groups of 16 offspring: 62 full groups of 120 pairs and one of 8 offspring, 28 pairs.
    EXPECT_EQ(floors[0].distances, 62 * 120 + 28);
    EXPECT_EQ(floors[0].low, floors[1].low);
    EXPECT_EQ(floors[0].high, floors[1].high);
    EXPECT_LE(floors[0].low, floors[0].high);
    // Identical parents leave nothing to tell apart.
    const MarkerData clones = markers(2, {{{4, 4}}, {{4, 4}}});
    clonal::Random random;
    const auto zero = sexual_floor(clones, DistanceModel{}, 50, 0.5, random, 1);
    EXPECT_EQ(zero->low, 0);
    EXPECT_EQ(zero->high, 0);
    EXPECT_FALSE(sexual_floor(markers(2, {{{4, 4}}}), DistanceModel{}, 50, 0.5, random, 1));
}

TEST(SexualFloor, OffspringOfPartialGenotypesWithoutACommonLocusAreLeftOut) {
    // Offspring of the untyped third individual and the first are typed at locus 1 only, those
    // of it and the second at locus 2 only: such pairs have no two-phase distance.
    const MarkerData data = markers(2, {{{10, 12}, {}}, {{}, {20, 22}}, {{}, {}}});
    DistanceModel model;
    model.kind = DistanceKind::kTwoPhase;
    model.partial = PartialGenotypes::kCombination;
    clonal::Random random;
    const auto floor = sexual_floor(data, model, 160, 0.5, random, 1);
    ASSERT_TRUE(floor);
    EXPECT_LT(floor->distances, 10 * 120);
}

}  // namespace
}  // namespace kelvane
