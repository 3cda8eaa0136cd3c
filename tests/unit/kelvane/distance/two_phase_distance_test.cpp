#include "kelvane/distance/two_phase_distance.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/matching/two_phase_costs.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::fresh_matrix;
using testing::markers;

int32_t two_phase(const MarkerData& data, int32_t missing, float base = 2.0f,
                  float multiplier = 100.0f) {
    DistanceMatrix matrix = fresh_matrix(data);
    EXPECT_EQ(two_phase_distance(data, matrix, missing, base, multiplier), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(0, 1), matrix.at(1, 0));
    return matrix.at(1, 0);
}

TEST(TwoPhaseCosts, StepsAndMissingCopies) {
    const TwoPhaseCosts costs(2.0f, 0, 10);
    EXPECT_EQ(costs.step_cost(0), 0.0);
    EXPECT_EQ(costs.step_cost(1), 0.5);
    EXPECT_EQ(costs.step_cost(2), 0.75);
    EXPECT_EQ(costs.step_cost(4), 0.9375);
    // Beyond the kept steps the same expression is computed.
    EXPECT_EQ(costs.step_cost(11), 1.0 - 1.0 / 2048.0);
    EXPECT_EQ(costs.step_cost(100000), 1.0);
    EXPECT_EQ(costs.missing_cost(), 0.0);
    EXPECT_EQ(TwoPhaseCosts(2.0f, 10001, 0).missing_cost(), 1.0);
    EXPECT_EQ(TwoPhaseCosts(2.0f, 10000, 0).missing_cost(), 1.0);
    EXPECT_EQ(TwoPhaseCosts(2.0f, 9999, 0).missing_cost(), 1.0 - std::pow(2.0, -9999.0));
    EXPECT_EQ(TwoPhaseCosts(2.0f, 1, 0).missing_cost(), 0.5);
    EXPECT_EQ(TwoPhaseCosts(2.0f, -3, 0).missing_cost(), 0.0);
    // The single-precision base is widened: 1.3f is not 1.3.
    EXPECT_EQ(TwoPhaseCosts(1.3f, 0, 5).step_cost(1), 1.0 - 1.0 / static_cast<double>(1.3f));
    EXPECT_NE(TwoPhaseCosts(1.3f, 0, 5).step_cost(1), 1.0 - 1.0 / 1.3);
    EXPECT_EQ(TwoPhaseCosts(1.0f, 5, 5).step_cost(3), 0.0);
    EXPECT_EQ(TwoPhaseCosts(1.0f, 5, 5).missing_cost(), 0.0);
}

TEST(TwoPhaseDistance, DiploidPairAveragedAndScaled) {
    // 12, 10 against 14, 11: rows 0.75, 0.5 and 0.9375, 0.5; the best matching sums 1.25;
    // 1.25 x 100 / 2 = 62.5, stored as 63.
    const MarkerData data = markers(2, {{{11, 14}}, {{10, 12}}});
    EXPECT_EQ(two_phase(data, 0), 63);
    EXPECT_EQ(two_phase(data, 10001), 63);
    const MarkerData same = markers(2, {{{10, 12}, {20, 22}}, {{12, 10}, {22, 20}}});
    EXPECT_EQ(two_phase(same, 0), 0);
    EXPECT_EQ(two_phase(same, 10001), 0);
    // The same single copy 20 at locus 2 leaves an empty slot on both sides, matched at 1.0
    // under choice 6: 1.0 / 2 x 100 / 2.
    const MarkerData same_single = markers(2, {{{10, 12}, {20}}, {{12, 10}, {20}}});
    EXPECT_EQ(two_phase(same_single, 0), 0);
    EXPECT_EQ(two_phase(same_single, 10001), 25);
}

TEST(TwoPhaseDistance, MissingCopies) {
    // Choice 6: one individual untyped where the other has two copies: 2.0 for the locus;
    // 2.0 / 2 loci x 100 / 2.
    const MarkerData untyped = markers(2, {{{}, {20, 22}}, {{10, 12}, {20, 22}}});
    EXPECT_EQ(two_phase(untyped, 10001), 50);
    EXPECT_EQ(two_phase(untyped, 0), 0);
    // Choice 5: both untyped at locus 2 adds nothing but counts as a locus: 1.25 / 2 x 100 / 2.
    const MarkerData both = markers(2, {{{11, 14}, {}}, {{10, 12}, {}}});
    EXPECT_EQ(two_phase(both, 0), 31);
    // ... with choice 6 that locus adds 1.0 for each of its L = 2 pairs of empty slots.
    EXPECT_EQ(two_phase(both, 10001), 81);  // (1.25 + 2.0) / 2 x 100 / 2 = 81.25
    // Missing 1 with base 2: a missing copy costs 0.5, as a one-step difference does.
    const MarkerData one_missing = markers(2, {{{10}}, {{12, 10}}});
    const MarkerData one_step = markers(2, {{{10, 11}}, {{12, 10}}});
    EXPECT_EQ(two_phase(one_missing, 1, 2.0f, 100.0f), 25);
    EXPECT_EQ(two_phase(one_step, 1, 2.0f, 100.0f), 25);
    // Nobody has a copy anywhere: 0.
    const MarkerData nothing = markers(3, {{{}, {}}, {{}, {}}});
    EXPECT_EQ(two_phase(nothing, 10001), 0);
}

TEST(TwoPhaseDistance, TriploidCopyCountAppliesToEveryLocus) {
    // Choice 6, L = 3: locus 1 pairs 14 with the empty slot (1.0); locus 2 pairs the two empty
    // third slots (1.0) although both show 5 and 6; 2.0 / 2 x 100 / 3 = 33.3.
    const MarkerData data = markers(3, {{{10, 12}, {5, 6}}, {{10, 12, 14}, {5, 6}}});
    EXPECT_EQ(two_phase(data, 10001), 33);
    EXPECT_EQ(two_phase(data, 0), 0);
}

TEST(TwoPhaseDistance, BaseOneCostsNothingButInfiniteMissing) {
    const MarkerData data = markers(2, {{{10, 30}, {}}, {{11, 12}, {20}}});
    EXPECT_EQ(two_phase(data, 9999, 1.0f, 100.0f), 0);
    // Locus 2: 20 and an empty slot against two empty slots: 2.0; (0 + 2) / 2 x 100 / 2.
    EXPECT_EQ(two_phase(data, 10001, 1.0f, 100.0f), 50);
}

TEST(TwoPhaseDistance, MultiplierAndRounding) {
    // 1.25 / 1 x 10000 / 2 = 6250.
    const MarkerData data = markers(2, {{{11, 14}}, {{10, 12}}});
    EXPECT_EQ(two_phase(data, 0, 2.0f, 10000.0f), 6250);
    EXPECT_EQ(two_phase(data, 0, 2.0f, 1.0f), 1);  // 0.625 + 0.5 truncated
    // 1.25 / 1 x 3.2f / 2: the multiplier is taken in single precision (3.2f = 3.2000000477):
    // 2.0000000298 + 0.5 -> 2.
    EXPECT_EQ(two_phase(data, 0, 2.0f, 3.2f), 2);
}

TEST(TwoPhaseDistance, FillsTheMatrixSymmetrically) {
    const MarkerData data = markers(2, {{{10, 12}}, {{11, 14}}, {{10, 12}}, {{}}});
    DistanceMatrix matrix = fresh_matrix(data);
    ASSERT_EQ(two_phase_distance(data, matrix, 10001, 2.0f, 100.0f), DistanceResult::kDone);
    // 11, 14 against 10, 12: 63; an untyped individual against two copies: 2.0 x 100 / 2 = 100;
    // untyped against untyped: L = 2 empty pairs, 100 as well.
    EXPECT_EQ(cells(matrix), (std::vector<int32_t>{0, 63, 0, 100,   //
                                                   63, 0, 63, 100,  //
                                                   0, 63, 0, 100,   //
                                                   100, 100, 100, 0}));
}

TEST(TwoPhaseDistance, RefusesDistancesBeyondThirtyTwoBits) {
    const MarkerData data = markers(2, {{{11, 14}}, {{10, 12}}, {{10, 12}}});
    DistanceMatrix matrix(3);
    // 1.25 x 3.5e9 / 2 does not fit (identical genotypes alone would: 0); 1.25 x 3.4e9 / 2
    // does.
    EXPECT_EQ(two_phase_distance(data, matrix, 0, 2.0f, 3.5e9f), DistanceResult::kTooLarge);
    EXPECT_EQ(two_phase_distance(data, matrix, 0, 2.0f, 3.4e38f), DistanceResult::kTooLarge);
    EXPECT_EQ(two_phase_distance(data, matrix, 0, 2.0f, 3.4e9f), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 2125000000);
    // Around the limit: the floats 3435973888 and 3435973632 give 2147483680, too large, and
    // 2147483520.
    EXPECT_EQ(two_phase_distance(data, matrix, 0, 2.0f, 3435973888.0f), DistanceResult::kTooLarge);
    EXPECT_EQ(two_phase_distance(data, matrix, 0, 2.0f, 3435973632.0f), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 2147483520);
    // A base below 1 is a fault of the caller, caught even in release builds.
    EXPECT_DEATH(two_phase_distance(data, matrix, 0, 0.99f, 100.0f), "base >= 1.0f does not hold");
}

}  // namespace
}  // namespace kelvane
