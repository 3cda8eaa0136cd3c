// The mismatch distance: worked values, plink 1.9's 1 - IBS on biallelic diploid calls, the least
// number of shared loci, and the matrix against the shares.
#include "kelvane/distance/mismatch_distance.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::Individual;
using testing::markers;

DistanceModel mismatch(int32_t least = 0) {
    DistanceModel model;
    model.kind = DistanceKind::kMismatch;
    model.min_shared_loci = least;
    return model;
}

// Two tetraploids: {1,1,2,3} and {1,2,2,4} match 1, 2 (two of four copies): 1/2; {5,5,5,6}
// and {5,6,6,6} match 5, 6: 1/2; a genotype of two copies against one of four matches both of
// its copies, out of four: 1/2; a locus not called in one is left out.
TEST(MismatchDistance, TheShareOfCopiesWithoutAMatchOverTheLociCalledInBoth) {
    const MarkerData data =
        markers(4, {{{1, 1, 2, 3}, {5, 5, 5, 6}, {7, 8}, {}, {9, 9, 9, 9}},
                    {{2, 1, 4, 2}, {6, 6, 5, 6}, {8, 7, 7, 8}, {3}, {9, 9, 9, 9}}});
    const std::vector<double> shares = mismatch_shares(data, mismatch());
    ASSERT_EQ(shares.size(), 1U);
    // (1/2 + 1/2 + 1/2 + 0) / 4 loci called in both.
    EXPECT_DOUBLE_EQ(shares[0], 0.375);
    EXPECT_EQ(shared_locus_counts(data), std::vector<int32_t>{4});
    EXPECT_TRUE(std::isnan(mismatch_shares(data, mismatch(5))[0]));
    DistanceMatrix matrix(2);
    EXPECT_EQ(mismatch_distance(data, matrix, mismatch()), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 38);  // 37.5 rounded half up, as the two-phase matrix rounds
    EXPECT_EQ(matrix.at(0, 1), 38);
    EXPECT_THROW(mismatch_distance(data, matrix, mismatch(5)), clonal::FatalError);
}

// On biallelic diploid calls the distance is plink 1.9's 1 - IBS: the mean of |g_a - g_b| / 2
// over the loci both call, g the copies of the second allele; random calls with a fifth missing.
TEST(MismatchDistance, BiallelicDiploidCallsGiveOneMinusIbs) {
    std::mt19937 random(11);
    const int n = 9;
    const int loci = 40;
    std::vector<std::vector<int>> dosage(n, std::vector<int>(loci));
    std::vector<Individual> individuals(n);
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < loci; ++k) {
            const int g =
                static_cast<int>(random() % 5) - 1;  // -1: missing; 0 comes twice as often
            dosage[i][k] = g < 0 ? -1 : g % 3;
            individuals[i].push_back(dosage[i][k] < 0    ? testing::Genotype{}
                                     : dosage[i][k] == 0 ? testing::Genotype{1, 1}
                                     : dosage[i][k] == 1 ? testing::Genotype{2, 1}
                                                         : testing::Genotype{2, 2});
        }
    }
    const MarkerData data = markers(2, individuals);
    const std::vector<double> shares = mismatch_shares(data, mismatch(1));
    std::size_t next = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j, ++next) {
            double sum = 0.0;
            int shared = 0;
            for (int k = 0; k < loci; ++k) {
                if (dosage[i][k] >= 0 && dosage[j][k] >= 0) {
                    sum += std::abs(dosage[i][k] - dosage[j][k]) / 2.0;
                    ++shared;
                }
            }
            EXPECT_NEAR(shares[next], sum / shared, 1e-15) << i << " " << j;
        }
    }
    // The least number by default: half the loci.
    EXPECT_EQ(least_shared_loci(data, mismatch()), 20);
}

// The bit planes take the biallelic loci called in full or not at all, the copies the rest (a
// third allele, a partial call): the same shares and shared loci as the copies alone, with more
// than one chunk of loci, triploids and a fifth of the calls missing.
TEST(MismatchDistance, BitPlanesGiveWhatTheCopiesGive) {
    std::mt19937 random(23);
    const int n = 12;
    const int loci = 1500;
    std::vector<Individual> individuals(n, Individual(loci));
    for (int k = 0; k < loci; ++k) {
        const bool third_allele = k % 97 == 0;
        for (int i = 0; i < n; ++i) {
            testing::Genotype& genotype = individuals[i][k];
            if (random() % 5 == 0) {
                continue;
            }
            for (int copy = 0; copy < 3; ++copy) {
                genotype.push_back(third_allele ? 1 + static_cast<int>(random() % 3)
                                                : 1 + static_cast<int>(random() % 2));
            }
            if (k % 89 == 0 && i == 3) {
                genotype.pop_back();  // a partial call
            }
        }
    }
    const MarkerData data = markers(3, individuals);
    DistanceOptions plain;
    plain.biallelic_fast_path = false;
    const std::vector<double> fast = mismatch_shares(data, mismatch(1));
    const std::vector<double> slow = mismatch_shares(data, mismatch(1), plain);
    ASSERT_EQ(fast.size(), slow.size());
    for (std::size_t k = 0; k < fast.size(); ++k) {
        EXPECT_NEAR(fast[k], slow[k], 1e-12) << k;
    }
    EXPECT_EQ(shared_locus_counts(data), shared_locus_counts(data, plain));
}

}  // namespace
}  // namespace kelvane
