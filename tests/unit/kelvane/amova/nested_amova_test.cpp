// The nested AMOVA: the table of an unbalanced three-level design against the peer's (ade4's
// amova on the same distances), and the permutation tests of every level, whose fast sums are
// held against the whole analysis redone from scratch on each permuted design.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "kelvane/amova/nested_permutations.hpp"

namespace kelvane {
namespace {

// Distances |a - b| between the units' values, a matrix over the units in their order.
DistanceMatrix line_matrix(const std::vector<int32_t>& values) {
    DistanceMatrix matrix(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            matrix.set_pair(static_cast<int>(i), static_cast<int>(j),
                            std::abs(values[i] - values[j]));
        }
    }
    return matrix;
}

NestedObserved observed_of(const DistanceMatrix& matrix, const NestedDesign& design) {
    return observed_nested_amova(SamplePairs(matrix, design.units), design);
}

TEST(NestedAmova, UnbalancedThreeLevelsAsThePeerComputesThem) {
    // Units 0 to 13 in groups A1x A1x A1x A1y A2x A2x B1x B1x B1y B1y B1y B2x B2y B2y, their mid
    // level the first two letters and their top the first; ade4::amova(samples, sqrt(D),
    // structures) gives the values below.
    const std::vector<int32_t> values{1, 2, 4, 3, 7, 8, 5, 9, 6, 6, 10, 12, 11, 15};
    const std::vector<std::vector<int32_t>> labels{{0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1},
                                                   {0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1},
                                                   {0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1}};
    const NestedTable table = observed_of(line_matrix(values), nested_design(labels)).table;
    const std::vector<int64_t> df{1, 2, 3, 7, 13};
    const std::vector<double> ss{7.9285714285714288, 12.1333333333333346, 1.6999999999999922,
                                 9.1666666666666679, 30.9285714285714235};
    const std::vector<double> sigma2{0.15137301784253537, 1.76037247556810916, -0.42584167424931912,
                                     1.30952380952380976, 2.79542762868513517};
    const std::vector<double> percent{5.4150218839231972, 62.9732802775553466, -15.2335073846865843,
                                      46.8452052232080476, 100.0};
    // Phi-top-total, Phi-mid-top, Phi-samples-mid, Phi-samples-total.
    const std::vector<double> phi{0.054150218839231976, 0.665785218031906934, -0.481894628453752305,
                                  0.531547947767919582};
    EXPECT_EQ(table.df, df);
    for (std::size_t row = 0; row < 5; ++row) {
        EXPECT_NEAR(table.ss[row], ss[row], 1e-12) << row;
        EXPECT_NEAR(table.sigma2[row], sigma2[row], 1e-12) << row;
        EXPECT_NEAR(table.percent[row], percent[row], 1e-10) << row;
        if (row < 4) {
            EXPECT_NEAR(table.phi[row], phi[row], 1e-12) << row;
        }
    }
    EXPECT_TRUE(std::isnan(table.phi[4]));
}

// The share of the permuted designs whose component reaches the observed one (or stays at most
// at it, for the within row), each design analysed from scratch.
double plain_p(const DistanceMatrix& matrix,
               const std::vector<std::vector<int32_t>>& designs_labels, std::size_t row,
               double observed, bool at_most) {
    int64_t count = 1;
    const double tolerance = 1e-9 * std::abs(observed);
    for (std::size_t q = 0; q < designs_labels.size() / 2; ++q) {
        const std::vector<std::vector<int32_t>> labels{designs_labels[2 * q],
                                                       designs_labels[2 * q + 1]};
        const double value = observed_of(matrix, nested_design(labels)).table.sigma2[row];
        count += at_most ? (value <= observed + tolerance) : (value >= observed - tolerance);
    }
    return static_cast<double>(count) / static_cast<double>(designs_labels.size() / 2 + 1);
}

TEST(NestedAmova, PermutationTestsOfEveryLevelAsTheWholeAnalysisRedone) {
    std::mt19937 generator(11);
    // 60 units in 3 top groups of 2, 3 and 2 groups of unequal sizes; values clustered by group.
    const std::vector<int> sizes{5, 12, 7, 3, 9, 14, 10};
    const std::vector<int32_t> tops{0, 0, 1, 1, 1, 2, 2};
    std::vector<int32_t> values;
    std::vector<std::vector<int32_t>> labels(2);
    for (std::size_t g = 0; g < sizes.size(); ++g) {
        std::uniform_int_distribution<int32_t> value(static_cast<int32_t>(4 * g),
                                                     static_cast<int32_t>(4 * g + 20));
        for (int u = 0; u < sizes[g]; ++u) {
            values.push_back(value(generator));
            labels[0].push_back(tops[g]);
            labels[1].push_back(static_cast<int32_t>(g));
        }
    }
    const DistanceMatrix matrix = line_matrix(values);
    const NestedDesign design = nested_design(labels);
    // The units come in the order of their groups already, so places are units.
    for (std::size_t place = 0; place < design.units.size(); ++place) {
        ASSERT_EQ(design.units[place], static_cast<int>(place));
    }
    const SamplePairs pairs(matrix, design.units);
    const NestedObserved observed = observed_nested_amova(pairs, design);
    constexpr int64_t kPermutations = 300;
    clonal::Random one_thread;
    const NestedPermutationTest test =
        nested_permutation_test(pairs, design, observed, kPermutations, one_thread, 1);
    clonal::Random two_threads;
    const NestedPermutationTest again =
        nested_permutation_test(pairs, design, observed, kPermutations, two_threads, 2);

    // The same draws made by hand: the top level moves the 7 groups among the tops; the lower
    // level moves the units among the groups of their top; the within row moves them freely.
    clonal::Random random;
    const std::vector<int32_t> block_of = labels[1];
    std::vector<int32_t> top_of_block = tops;
    std::vector<std::vector<int32_t>> top_designs;
    for (int64_t q = 0; q < kPermutations; ++q) {
        clonal::shuffle(random, top_of_block);
        std::vector<int32_t> top(values.size());
        for (std::size_t u = 0; u < values.size(); ++u) {
            top[u] = top_of_block[static_cast<std::size_t>(block_of[u])];
        }
        top_designs.push_back(top);
        top_designs.push_back(block_of);
    }
    const NestedLevel& upper = design.levels[0];
    std::vector<int32_t> group_of = labels[1];
    std::vector<std::vector<int32_t>> group_designs;
    for (int64_t q = 0; q < kPermutations; ++q) {
        for (std::size_t t = 0; t < upper.sizes.size(); ++t) {
            clonal::shuffle(random, std::span<int32_t>(group_of).subspan(
                                        static_cast<std::size_t>(upper.first[t]),
                                        static_cast<std::size_t>(upper.sizes[t])));
        }
        group_designs.push_back(labels[0]);
        group_designs.push_back(group_of);
    }
    std::vector<int32_t> free = labels[1];
    std::vector<std::vector<int32_t>> free_designs;
    for (int64_t q = 0; q < kPermutations; ++q) {
        clonal::shuffle(random, free);
        std::vector<int32_t> top(values.size());
        for (std::size_t u = 0; u < values.size(); ++u) {
            top[u] = tops[static_cast<std::size_t>(free[u])];
        }
        free_designs.push_back(top);
        free_designs.push_back(free);
    }
    const std::vector<double>& sigma2 = observed.table.sigma2;
    EXPECT_DOUBLE_EQ(test.p(0), plain_p(matrix, top_designs, 0, sigma2[0], false));
    EXPECT_DOUBLE_EQ(test.p(1), plain_p(matrix, group_designs, 1, sigma2[1], false));
    EXPECT_DOUBLE_EQ(test.p(2), plain_p(matrix, free_designs, 2, sigma2[2], true));
    EXPECT_LT(test.p(1), 0.05);  // the groups differ by design
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(test.p(row), again.p(row)) << row;
    }
}

}  // namespace
}  // namespace kelvane
