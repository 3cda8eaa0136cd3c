#include "kelvane/distance/infinite_allele_distance.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::fresh_matrix;
using testing::markers;

int32_t one_mutation(const MarkerData& data) {
    DistanceMatrix matrix = fresh_matrix(data);
    EXPECT_EQ(infinite_allele_one(data, matrix), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(0, 1), matrix.at(1, 0));
    return matrix.at(1, 0);
}

int32_t mutations(const MarkerData& data, int32_t missing) {
    DistanceMatrix matrix = fresh_matrix(data);
    EXPECT_EQ(infinite_allele_steps(data, matrix, missing), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(0, 1), matrix.at(1, 0));
    return matrix.at(1, 0);
}

TEST(InfiniteAlleleDistance, CountsCopiesWithoutAnIdenticalPartner) {
    const MarkerData data = markers(2, {{{12, 14}}, {{12, 16}}});
    EXPECT_EQ(one_mutation(data), 1);
    for (const int32_t m : {0, 1, 5}) {
        EXPECT_EQ(mutations(data, m), 1);
    }
    // A value one individual has twice and the other once counts once.
    const MarkerData twice = markers(2, {{{12, 12}}, {{12, 14}}});
    EXPECT_EQ(one_mutation(twice), 1);
    EXPECT_EQ(mutations(twice, 3), 1);
    const MarkerData both_twice = markers(2, {{{12, 12}}, {{12, 12}}});
    EXPECT_EQ(one_mutation(both_twice), 0);
}

TEST(InfiniteAlleleDistance, MissingCopies) {
    // Untyped against 12, 14: two slots without partner; L = 2.
    const MarkerData untyped = markers(2, {{{}}, {{12, 14}}});
    EXPECT_EQ(one_mutation(untyped), 2);
    EXPECT_EQ(mutations(untyped, 3), 2 * 3);
    EXPECT_EQ(mutations(untyped, 0), 0);
    // Both untyped at locus 2, L = 2 from locus 1: missing slots match each other in the first
    // model; in the second each of the L copies counts.
    const MarkerData both = markers(2, {{{12, 14}, {}}, {{12, 14}, {}}});
    EXPECT_EQ(one_mutation(both), 0);
    EXPECT_EQ(mutations(both, 4), 2 * 4);
    // A single 12 against 12, 14: 14 faces the missing slot; the missing copy counts m.
    const MarkerData single = markers(2, {{{12}}, {{12, 14}}});
    EXPECT_EQ(one_mutation(single), 1);
    EXPECT_EQ(mutations(single, 7), 7);
}

TEST(InfiniteAlleleDistance, DiploidInATetraploidDataSet) {
    // Two present copies and two empty slots against four copies, two of them shared.
    const MarkerData data = markers(4, {{{10, 20}}, {{20, 30, 10, 40}}});
    EXPECT_EQ(one_mutation(data), 2);
    // L = 4: two copies missing at m each; the two present ones both have partners.
    EXPECT_EQ(mutations(data, 3), 2 * 3);
}

TEST(InfiniteAlleleDistance, SumsLociAndFillsTheMatrixSymmetrically) {
    const MarkerData data =
        markers(2, {{{10, 12}, {20, 22}}, {{10, 14}, {20, 22}}, {{16, 18}, {}}});
    DistanceMatrix matrix = fresh_matrix(data);
    ASSERT_EQ(infinite_allele_one(data, matrix), DistanceResult::kDone);
    EXPECT_EQ(cells(matrix), (std::vector<int32_t>{0, 1, 4,  //
                                                   1, 0, 4,  //
                                                   4, 4, 0}));
    ASSERT_EQ(infinite_allele_steps(data, matrix, 10), DistanceResult::kDone);
    EXPECT_EQ(cells(matrix), (std::vector<int32_t>{0, 1, 22,  //
                                                   1, 0, 22,  //
                                                   22, 22, 0}));
}

TEST(InfiniteAlleleDistance, RefusesDistancesBeyondThirtyTwoBits) {
    const MarkerData data = markers(2, {{{}, {}}, {{12, 14}, {12, 14}}});
    DistanceMatrix matrix(2);
    // 2 loci x 2 missing copies x m.
    EXPECT_EQ(infinite_allele_steps(data, matrix, 536870911), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 4 * 536870911);
    EXPECT_EQ(infinite_allele_steps(data, matrix, 536870912), DistanceResult::kTooLarge);
}

}  // namespace
}  // namespace kelvane
