// KING-robust kinship: worked counts, the bit planes against the SNP-by-SNP count, and the
// values of duplicates and of unrelated samples.
#include "kelvane/evidence/king_kinship.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::Genotype;
using testing::Individual;

TEST(KingKinship, WorkedCountsAndTheKinshipOfADuplicate) {
    // SNP 1: het / het; 2: AA / GG (IBS0); 3: het / AA; 4: AA / AA; 5: missing in b; 6: three
    // alleles at the site, left out.
    const MarkerData data = testing::markers(2, {{{1, 2}, {1, 1}, {1, 2}, {1, 1}, {1, 2}, {1, 2}},
                                                 {{2, 1}, {2, 2}, {1, 1}, {1, 1}, {}, {3, 3}},
                                                 {{1, 2}, {1, 1}, {1, 2}, {1, 1}, {1, 2}, {1, 2}}});
    const std::vector<KinshipCounts> counts = kinship_counts(data);
    const KinshipCounts& ab = counts[0];  // (1, 0)
    EXPECT_EQ(ab.shared, 4);
    EXPECT_EQ(ab.hethet, 1);
    EXPECT_EQ(ab.ibs0, 1);
    EXPECT_EQ(ab.het_first, 1);   // b
    EXPECT_EQ(ab.het_second, 2);  // a
    // (2 - 4 - 1 - 2 + 2) / 4 and (2 IBS0 + 1 + 2 - 2 HETHET) / (2 x 4).
    EXPECT_DOUBLE_EQ(ab.kinship(), -0.75);
    EXPECT_DOUBLE_EQ(ab.mismatch(), 3.0 / 8.0);
    // a and c are the same genotype: kinship 1/2, no mismatch.
    const KinshipCounts& ca = counts[1];  // (2, 0)
    EXPECT_DOUBLE_EQ(ca.kinship(), 0.5);
    EXPECT_DOUBLE_EQ(ca.mismatch(), 0.0);
    EXPECT_THROW(kinship_counts(testing::markers(3, {{{1, 1, 2}}, {{1, 2, 2}}})),
                 clonal::FatalError);
}

// Over more than one chunk of SNPs, a tenth of the calls missing: the planes count what the SNPs
// counted one by one give.
TEST(KingKinship, BitPlanesCountWhatTheSnpsGiveOneByOne) {
    std::mt19937 random(3);
    const int n = 7;
    const int snps = 1300;
    std::vector<Individual> individuals(n, Individual(snps));
    for (int s = 0; s < snps; ++s) {
        for (int i = 0; i < n; ++i) {
            if (random() % 10 == 0) {
                continue;
            }
            individuals[i][s] =
                Genotype{1 + static_cast<int>(random() % 2), 1 + static_cast<int>(random() % 2)};
        }
    }
    const MarkerData data = testing::markers(2, individuals);
    const std::vector<KinshipCounts> fast = kinship_counts(data);
    const std::vector<KinshipCounts> plain = kinship_counts_plainly(data);
    ASSERT_EQ(fast.size(), plain.size());
    double mean = 0.0;
    for (std::size_t k = 0; k < fast.size(); ++k) {
        EXPECT_EQ(fast[k].shared, plain[k].shared) << k;
        EXPECT_EQ(fast[k].hethet, plain[k].hethet) << k;
        EXPECT_EQ(fast[k].ibs0, plain[k].ibs0) << k;
        EXPECT_EQ(fast[k].het_first, plain[k].het_first) << k;
        EXPECT_EQ(fast[k].het_second, plain[k].het_second) << k;
        mean += fast[k].kinship() / static_cast<double>(fast.size());
    }
    // Unrelated samples: a kinship near 0 on average.
    EXPECT_NEAR(mean, 0.0, 0.05);
}

}  // namespace
}  // namespace kelvane
