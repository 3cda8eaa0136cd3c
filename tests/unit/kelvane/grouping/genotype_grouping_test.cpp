// Grouping into genotypes at one threshold and the numbering of the genotypes.
#include "kelvane/grouping/genotype_grouping.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

// n individuals, every pair at far except the listed pairs, which are at near.
DistanceMatrix linked(int n, const std::vector<std::pair<int, int>>& pairs, int32_t near,
                      int32_t far) {
    DistanceMatrix matrix(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.set_pair(i, j, far);
        }
    }
    for (const auto& [a, b] : pairs) {
        matrix.set_pair(a, b, near);
    }
    return matrix;
}

std::vector<int32_t> assigned(const DistanceMatrix& matrix, int32_t threshold) {
    std::vector<int32_t> geno_vector(static_cast<std::size_t>(matrix.size()), 0);
    assign_genotypes(matrix, threshold, geno_vector);
    return geno_vector;
}

TEST(AssignGenotypes, FiveIndividualsLinkedThroughAChainFormOneGenotype) {
    const DistanceMatrix matrix = linked(5, {{0, 2}, {1, 3}, {2, 3}, {2, 4}}, 1, 9);
    std::vector<int32_t> groups = assigned(matrix, 1);
    // Row 2 merges group 1 (individuals 0 and 2) into group 2 (1 and 3); 4 then joins group 2.
    EXPECT_EQ(groups, (std::vector<int32_t>{2, 2, 2, 2, 2}));
    EXPECT_EQ(renumber_genotypes(groups), 1);
    EXPECT_EQ(groups, (std::vector<int32_t>{1, 1, 1, 1, 1}));
}

TEST(AssignGenotypes, AChainLinksPairsAboveTheThreshold) {
    const DistanceMatrix matrix = linked(3, {{0, 1}, {1, 2}}, 2, 5);
    const Genotypes genotypes = genotypes_at_threshold(matrix, 2);
    EXPECT_EQ(genotypes.count, 1);
    EXPECT_EQ(genotypes.numbers, (std::vector<int32_t>{1, 1, 1}));
}

TEST(AssignGenotypes, ADistanceEqualToTheThresholdLinks) {
    const DistanceMatrix matrix = linked(3, {{0, 2}}, 4, 5);
    EXPECT_EQ(genotypes_at_threshold(matrix, 4).numbers, (std::vector<int32_t>{1, 2, 1}));
    EXPECT_EQ(genotypes_at_threshold(matrix, 3).numbers, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(genotypes_at_threshold(matrix, 5).numbers, (std::vector<int32_t>{1, 1, 1}));
}

TEST(AssignGenotypes, ThresholdZeroJoinsOnlyIdenticalIndividuals) {
    const DistanceMatrix matrix = linked(4, {{1, 3}}, 0, 1);
    const Genotypes genotypes = genotypes_at_threshold(matrix, 0);
    EXPECT_EQ(genotypes.count, 3);
    EXPECT_EQ(genotypes.numbers, (std::vector<int32_t>{1, 2, 3, 2}));
}

TEST(AssignGenotypes, GenotypesAreNumberedByTheirFirstMember) {
    const DistanceMatrix matrix = linked(6, {{0, 4}, {2, 5}, {1, 3}, {3, 5}}, 0, 7);
    const Genotypes genotypes = genotypes_at_threshold(matrix, 0);
    EXPECT_EQ(genotypes.count, 2);
    EXPECT_EQ(genotypes.numbers, (std::vector<int32_t>{1, 2, 2, 2, 1, 2}));
}

TEST(AssignGenotypes, OnlyTheUpperTriangleAndDiagonalAreRead) {
    DistanceMatrix matrix(3);
    matrix.at(1, 0) = 0;  // lower triangle: not read
    matrix.at(0, 1) = 8;
    matrix.at(2, 1) = 8;
    matrix.at(1, 2) = 0;
    matrix.at(0, 2) = 8;
    matrix.at(2, 0) = 0;
    EXPECT_EQ(genotypes_at_threshold(matrix, 3).numbers, (std::vector<int32_t>{1, 2, 2}));
}

TEST(AssignGenotypes, ExtremeDistancesAndThresholdsDoNotOverflow) {
    DistanceMatrix matrix(3);
    matrix.set_pair(0, 1, INT32_MIN);
    matrix.set_pair(0, 2, INT32_MAX);
    matrix.set_pair(1, 2, INT32_MAX);
    EXPECT_EQ(genotypes_at_threshold(matrix, 0).numbers, (std::vector<int32_t>{1, 1, 2}));
    EXPECT_EQ(genotypes_at_threshold(matrix, INT32_MAX).numbers, (std::vector<int32_t>{1, 1, 1}));
}

TEST(AssignGenotypes, OneIndividualIsOneGenotype) {
    const DistanceMatrix matrix(1);
    const Genotypes genotypes = genotypes_at_threshold(matrix, 0);
    EXPECT_EQ(genotypes.count, 1);
    EXPECT_EQ(genotypes.numbers, (std::vector<int32_t>{1}));
}

TEST(RenumberGenotypes, FirstAppearanceOrderWithoutGaps) {
    std::vector<int32_t> groups{5, 5, 3, 7, 3, 12};
    EXPECT_EQ(renumber_genotypes(groups), 4);
    EXPECT_EQ(groups, (std::vector<int32_t>{1, 1, 2, 3, 2, 4}));
}

TEST(RenumberGenotypes, NoIndividuals) {
    std::vector<int32_t> groups;
    EXPECT_EQ(renumber_genotypes(groups), 0);
}

}  // namespace
}  // namespace kelvane
