// The index of association and rbarD: a worked diploid fixture (values from an independent
// script of poppr's definitions), what undefined values become, the fast sums over tables held
// against plain sums over all pairs on random data with missing copies and polyploids, and the
// permutation test repeating on any number of threads.
#include "kelvane/evidence/association_index.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <numeric>
#include <random>

#include "kelvane/analysis/association.hpp"
#include "kelvane/data/data_subset.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

std::vector<int> everyone(const MarkerData& data) {
    std::vector<int> all(static_cast<std::size_t>(data.n_individuals));
    std::iota(all.begin(), all.end(), 0);
    return all;
}

AssociationTest observed(const MarkerData& data) {
    clonal::Random random;
    return association_test(data, everyone(data), 0, random, 1);
}

std::vector<testing::Individual> fixture_i1() {
    return {{{1, 1}, {1, 1}, {1, 2}},
            {{1, 1}, {1, 1}, {1, 2}},
            {{1, 2}, {1, 2}, {2, 2}},
            {{2, 2}, {2, 2}, {1, 1}},
            {{1, 2}, {2, 2}, {1, 2}}};
}

TEST(AssociationIndex, WorkedDiploidFixture) {
    std::vector<testing::Individual> individuals = fixture_i1();
    AssociationTest test = observed(markers(2, individuals));
    EXPECT_NEAR(test.ia, 0.5151515151515154, 1e-13);
    EXPECT_NEAR(test.rbard, 0.2611851406711016, 1e-13);
    EXPECT_TRUE(std::isnan(test.p_ia));
    // A monomorphic locus changes nothing.
    for (testing::Individual& individual : individuals) {
        individual.push_back({5, 5});
    }
    test = observed(markers(2, individuals));
    EXPECT_NEAR(test.ia, 0.5151515151515154, 1e-13);
    EXPECT_NEAR(test.rbard, 0.2611851406711016, 1e-13);
    // Missing at locus 2 (poppr: every pair with it counts 0 there).
    individuals = fixture_i1();
    individuals[2][1] = {0, 0};
    test = observed(markers(2, individuals));
    EXPECT_NEAR(test.ia, 0.3023255813953494, 1e-13);
    EXPECT_NEAR(test.rbard, 0.1638282175239453, 1e-13);
}

TEST(AssociationIndex, UndefinedValues) {
    std::vector<testing::Individual> one_locus;
    for (const testing::Individual& individual : fixture_i1()) {
        one_locus.push_back({individual[0]});
    }
    AssociationTest test = observed(markers(2, one_locus));
    EXPECT_EQ(test.ia, 0.0);
    EXPECT_TRUE(std::isnan(test.rbard));
    std::vector<testing::Individual> two = fixture_i1();
    two.resize(2);
    test = observed(markers(2, two));
    EXPECT_EQ(test.individuals, 2);
    EXPECT_TRUE(std::isnan(test.ia));
    EXPECT_TRUE(std::isnan(test.rbard));
    const MarkerData monomorphic =
        markers(2, {{{1, 1}, {3, 3}}, {{1, 1}, {3, 3}}, {{1, 1}, {3, 3}}, {{1, 1}, {0, 0}}});
    clonal::Random random;
    test = association_test(monomorphic, everyone(monomorphic), 99, random, 1);
    EXPECT_TRUE(std::isnan(test.ia));
    EXPECT_TRUE(std::isnan(test.rbard));
    EXPECT_TRUE(std::isnan(test.p_ia));
}

// poppr's distance at a locus: ceil(sum over values of |count difference| / 2), 0 when either
// individual has no typed copy; missing copies in a typed genotype are the value 0.
int locus_distance(const AlleleCopies::View& a_copies, const AlleleCopies::View& b_copies) {
    const std::vector<int32_t> a(a_copies.begin(), a_copies.end());
    const std::vector<int32_t> b(b_copies.begin(), b_copies.end());
    const auto typed = [](std::span<const int32_t> g) {
        return std::any_of(g.begin(), g.end(), [](int32_t c) { return c != 0; });
    };
    if (!typed(a) || !typed(b)) {
        return 0;
    }
    std::map<int32_t, int> difference;
    for (const int32_t c : a) {
        ++difference[c];
    }
    for (const int32_t c : b) {
        --difference[c];
    }
    int sum = 0;
    for (const auto& [value, d] : difference) {
        sum += std::abs(d);
    }
    return (sum + 1) / 2;
}

// Ia and rbarD by the formulas over every pair.
std::pair<double, double> plain_indices(const MarkerData& data) {
    const int n = data.n_individuals;
    const auto loci = static_cast<std::size_t>(data.n_loci);
    double pairs = 0.0;
    double sum_d = 0.0;
    double sum_d2 = 0.0;
    std::vector<double> sum_l(loci, 0.0);
    std::vector<double> sum_l2(loci, 0.0);
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            double d = 0.0;
            for (std::size_t l = 0; l < loci; ++l) {
                const double dl = locus_distance(data.locus_genotype(a, static_cast<int>(l)),
                                                 data.locus_genotype(b, static_cast<int>(l)));
                d += dl;
                sum_l[l] += dl;
                sum_l2[l] += dl * dl;
            }
            sum_d += d;
            sum_d2 += d * d;
            pairs += 1.0;
        }
    }
    const double vo = (sum_d2 - sum_d * sum_d / pairs) / pairs;
    std::vector<double> var(loci);
    double ve = 0.0;
    for (std::size_t l = 0; l < loci; ++l) {
        var[l] = (sum_l2[l] - sum_l[l] * sum_l[l] / pairs) / pairs;
        ve += var[l];
    }
    double roots = 0.0;
    for (std::size_t j = 0; j < loci; ++j) {
        for (std::size_t k = j + 1; k < loci; ++k) {
            roots += std::sqrt(var[j] * var[k]);
        }
    }
    return {vo / ve - 1.0, (vo - ve) / (2.0 * roots)};
}

TEST(AssociationIndex, TablesEqualSumsOverAllPairs) {
    std::mt19937 engine(5);
    for (int round = 0; round < 20; ++round) {
        const int ploidy = 1 + round % 4;
        std::vector<testing::Individual> individuals;
        for (int i = 0; i < 8 + round * 2; ++i) {
            testing::Individual individual;
            for (int l = 0; l < 4; ++l) {
                testing::Genotype genotype;
                for (int c = 0; c < ploidy; ++c) {
                    // 0: a missing copy, in one copy in nine.
                    const int32_t value = std::uniform_int_distribution<int32_t>(0, 8)(engine);
                    genotype.push_back(value == 0 ? 0 : 1 + value % 3);
                }
                if (std::uniform_int_distribution<int>(0, 9)(engine) == 0) {
                    genotype.assign(genotype.size(), 0);
                }
                individual.push_back(genotype);
            }
            individuals.push_back(individual);
        }
        const MarkerData data = markers(ploidy, individuals);
        const auto [ia, rbard] = plain_indices(data);
        const AssociationTest test = observed(data);
        EXPECT_NEAR(test.ia, ia, 1e-9 * std::max(1.0, std::fabs(ia))) << "round " << round;
        EXPECT_NEAR(test.rbard, rbard, 1e-9 * std::max(1.0, std::fabs(rbard))) << "round " << round;
    }
}

// The sums over pairs of individuals give the integers of the tables over pairs of loci: the same
// indices and, with the same permutations, the same p-values, to the last bit.
TEST(AssociationIndex, PairsOfIndividualsGiveWhatPairsOfLociGive) {
    std::mt19937 engine(9);
    for (const int ploidy : {1, 2, 3}) {
        std::vector<testing::Individual> individuals;
        for (int i = 0; i < 12; ++i) {
            testing::Individual individual;
            for (int l = 0; l < 30; ++l) {
                testing::Genotype genotype;
                for (int c = 0; c < ploidy; ++c) {
                    const int32_t value = std::uniform_int_distribution<int32_t>(0, 6)(engine);
                    genotype.push_back(value == 0 ? 0 : 1 + value % 2);
                }
                individual.push_back(genotype);
            }
            individuals.push_back(individual);
        }
        const MarkerData data = markers(ploidy, individuals);
        std::vector<AssociationTest> tests;
        for (const auto method :
             {CrossProductMethod::kPairsOfLoci, CrossProductMethod::kPairsOfIndividuals}) {
            clonal::Random random;
            tests.push_back(association_test(data, everyone(data), 99, random, 2, {}, method));
        }
        EXPECT_EQ(std::bit_cast<uint64_t>(tests[0].ia), std::bit_cast<uint64_t>(tests[1].ia));
        EXPECT_EQ(std::bit_cast<uint64_t>(tests[0].rbard), std::bit_cast<uint64_t>(tests[1].rbard));
        EXPECT_EQ(tests[0].p_ia, tests[1].p_ia) << ploidy;
        EXPECT_GT(tests[0].p_ia, 0.02);  // the p-value compares more than the observed data
    }
}

TEST(AssociationIndex, PermutationTestRepeatsOnAnyNumberOfThreads) {
    // Two loci that always agree: strongly associated, so no permutation reaches them.
    std::vector<testing::Individual> individuals;
    for (int i = 0; i < 30; ++i) {
        const int32_t value = 1 + i % 5;
        individuals.push_back({{value, value}, {value, 1}, {1 + i % 2, 2}});
    }
    const MarkerData data = markers(2, individuals);
    std::vector<double> p;
    for (const int threads : {1, 3}) {
        clonal::Random random;
        const AssociationTest test = association_test(data, everyone(data), 199, random, threads);
        EXPECT_EQ(test.p_ia, test.p_rbard);
        p.push_back(test.p_ia);
    }
    EXPECT_EQ(p[0], 1.0 / 200.0);
    EXPECT_EQ(p[0], p[1]);
}

// Every pair of loci, as poppr's pair.ia: Ia and rbarD of fixture I1's loci taken two at a time,
// from the definitions (Var(D) / sum Var(d_l) - 1 over the ten pairs of individuals): loci 1 and 2
// give 5 / 8, 1 and 3 give 5 / 19, 2 and 3 give -3 / 23. The permutations of a pair are those of
// the two loci alone.
TEST(AssociationIndex, EveryPairOfLociIsTheIndexOfThoseTwoLoci) {
    const MarkerData data = markers(2, fixture_i1());
    analysis::AssociationSettings settings;
    settings.permutations = 0;
    clonal::Random random;
    const auto pairs = analysis::locus_pair_association(data, settings, {}, random);
    ASSERT_EQ(pairs.size(), 3u);
    const std::vector<std::array<double, 2>> expected{{5.0 / 8.0, 0.633865691046388},
                                                      {5.0 / 19.0, 0.2635231383473652},
                                                      {-3.0 / 23.0, -0.13363062095621206}};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(pairs[k].test.ia, expected[k][0], 1e-13) << k;
        EXPECT_NEAR(pairs[k].test.rbard, expected[k][1], 1e-13) << k;
        EXPECT_EQ(pairs[k].test.individuals, 5);
    }
    EXPECT_EQ(pairs[2].locus_a, 1);
    EXPECT_EQ(pairs[2].locus_b, 2);
    settings.permutations = 99;
    clonal::Random first;
    const auto tested = analysis::locus_pair_association(data, settings, {}, first);
    clonal::Random alone;
    const std::array<int, 2> loci{0, 1};
    const AssociationTest two =
        association_test(loci_subset(data, loci), everyone(data), 99, alone, 1);
    EXPECT_EQ(tested[0].test.p_ia, two.p_ia);
    EXPECT_EQ(tested[0].test.p_rbard, two.p_rbard);
}

}  // namespace
}  // namespace kelvane
