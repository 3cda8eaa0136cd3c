#include "kelvane/distance/stepwise_distance.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/matching/closest_allele_matching.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::fresh_matrix;
using testing::markers;

// The distance of the second individual (row 1) to the first under a model.
template <class Model>
int32_t distance(const MarkerData& data, Model model) {
    DistanceMatrix matrix = fresh_matrix(data);
    EXPECT_EQ(model(data, matrix), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), matrix.at(0, 1));
    return matrix.at(1, 0);
}

int32_t not_counted(const MarkerData& data, bool squared) {
    return distance(data, [&](const MarkerData& d, DistanceMatrix& m) {
        return stepwise_not_counted(d, m, squared);
    });
}
int32_t missing_steps(const MarkerData& data, int32_t steps, bool squared) {
    return distance(data, [&](const MarkerData& d, DistanceMatrix& m) {
        return stepwise_missing_steps(d, m, steps, squared);
    });
}
int32_t average_fill(const MarkerData& data) {
    return distance(
        data, [](const MarkerData& d, DistanceMatrix& m) { return stepwise_average_fill(d, m); });
}

TEST(StepwiseDistance, IdenticalGenotypesAreZeroApartUnderEveryMethod) {
    const MarkerData data = markers(3, {{{14, 10, 6}, {20}}, {{6, 14, 10}, {20}}});
    EXPECT_EQ(not_counted(data, false), 0);
    EXPECT_EQ(not_counted(data, true), 0);
    EXPECT_EQ(missing_steps(data, 0, false), 0);
    EXPECT_EQ(average_fill(data), 0);
}

TEST(StepwiseDistance, EqualCopyCountsPairPositionByPosition) {
    // 15, 12 against 13, 13: 2 + 1 steps; squared 4 + 1.
    const MarkerData data = markers(2, {{{13, 13}}, {{12, 15}}});
    EXPECT_EQ(not_counted(data, false), 3);
    EXPECT_EQ(not_counted(data, true), 5);
    EXPECT_EQ(missing_steps(data, 7, false), 3);
    EXPECT_EQ(missing_steps(data, 7, true), 5);
    EXPECT_EQ(average_fill(data), 3);
}

TEST(StepwiseDistance, TriploidAgainstTwoPresentCopies) {
    // 14, 10, 6 against 13, 9 and a missing copy: 14-13 and 10-9 in both directions.
    const MarkerData data = markers(3, {{{13, 9}}, {{14, 10, 6}}});
    EXPECT_EQ(not_counted(data, false), 2);
    EXPECT_EQ(not_counted(data, true), 4);  // the locus sum squared
    // L = 3: one copy without partner counts 3 steps (9 squared).
    EXPECT_EQ(missing_steps(data, 3, false), 2 + 3);
    EXPECT_EQ(missing_steps(data, 3, true), 1 + 1 + 9);
}

TEST(StepwiseDistance, EquallyCloseCopiesGoToTheOneMetFirst) {
    // 10, 6 against a single 8: both directions sum 2 steps.
    const MarkerData data = markers(2, {{{8}}, {{10, 6}}});
    EXPECT_EQ(not_counted(data, false), 2);
    EXPECT_EQ(not_counted(data, true), 4);
    EXPECT_EQ(missing_steps(data, 3, false), 2 + 3);
    EXPECT_EQ(missing_steps(data, 3, true), 4 + 9);
    std::vector<int32_t> first{10, 6};
    std::vector<int32_t> second{8, 0};
    const MatchingSums sums = closest_allele_matching(first, second, 2, false);
    EXPECT_EQ(sums.first_to_second, 2);
    EXPECT_EQ(sums.second_to_first, 2);
    EXPECT_EQ(first, (std::vector<int32_t>{10, 6}));
    EXPECT_EQ(second, (std::vector<int32_t>{8, 0}));
}

TEST(StepwiseDistance, MissingLociCountOnlyWithMissingSteps) {
    // Locus 2: the first individual is untyped; locus 3: both are. L = 2 from locus 1.
    const MarkerData one_untyped = markers(2, {{{10, 12}, {}, {}}, {{10, 12}, {20, 22}, {}}});
    EXPECT_EQ(not_counted(one_untyped, false), 0);
    EXPECT_EQ(not_counted(one_untyped, true), 0);
    EXPECT_EQ(missing_steps(one_untyped, 4, false), 2 * 4 + 2 * 4);
    EXPECT_EQ(missing_steps(one_untyped, 4, true), 2 * 16 + 2 * 16);
    EXPECT_EQ(missing_steps(one_untyped, 0, false), 0);
}

TEST(StepwiseDistance, RangeLengthDecidesBetweenEquallyCloseCopies) {
    // Pentaploid slots, copy count 4: 20, 10, 9 against 20, 12, 12, 8. Over all 5 slots, copy
    // 10 meets 12 first and 9 then takes 8: 0 + 2 + 1. Over the 4 counted slots the last copy 8
    // has been swapped to the front by the first match, 10 takes it and 9 must take 12:
    // 0 + 2 + 3; the other direction gives 0 + 2 + 3 as well.
    const MarkerData data = markers(5, {{{20, 12, 12, 8}}, {{20, 10, 9}}});
    EXPECT_EQ(not_counted(data, false), 3);
    EXPECT_EQ(missing_steps(data, 0, false), 5);
    EXPECT_EQ(missing_steps(data, 2, false), 5 + 2);
}

TEST(StepwiseDistance, DifferencesOfNineThousandNineHundredNinetyNineNeverMatch) {
    // Unequal counts: 1 against 10000 would be 9999 steps and stays unmatched.
    const MarkerData data = markers(2, {{{10000}}, {{10001, 1}}});
    EXPECT_EQ(not_counted(data, false), 1);
    const MarkerData far = markers(2, {{{10000}}, {{1, 1}}});
    EXPECT_EQ(not_counted(far, false), 0);
    const MarkerData near = markers(2, {{{10000}}, {{2, 1}}});
    EXPECT_EQ(not_counted(near, false), 9998);
    // Equal counts pair by position whatever the difference.
    const MarkerData equal = markers(2, {{{10000}}, {{1}}});
    EXPECT_EQ(not_counted(equal, false), 9999);
}

TEST(StepwiseDistance, AverageFillUsesTheRoundedLocusAverage) {
    // Haploid: 152 and 153 average 152.5, rounded to 153; the third individual is missing.
    const MarkerData half = markers(1, {{{152}}, {{153}}, {{}}});
    DistanceMatrix matrix = fresh_matrix(half);
    ASSERT_EQ(stepwise_average_fill(half, matrix), DistanceResult::kDone);
    EXPECT_EQ(cells(matrix), (std::vector<int32_t>{0, 1, 1, 1, 0, 0, 1, 0, 0}));

    // 51 copies 152 and 49 copies 153 average 152.49, rounded to 152.
    std::vector<testing::Individual> individuals;
    individuals.push_back({{}});
    for (int i = 0; i < 100; ++i) {
        individuals.push_back({{i < 51 ? 152 : 153}});
    }
    const MarkerData below = markers(1, individuals);
    DistanceMatrix filled = fresh_matrix(below);
    ASSERT_EQ(stepwise_average_fill(below, filled), DistanceResult::kDone);
    EXPECT_EQ(filled.at(1, 0), 0);
    EXPECT_EQ(filled.at(100, 0), 1);
}

TEST(StepwiseDistance, AverageFillSortsFilledCopiesAscending) {
    // Locus average (10 + 30 + 20) / 3 = 20: 10, 20 against 20, 30 position by position.
    const MarkerData data = markers(2, {{{10}}, {{30, 20}}});
    EXPECT_EQ(average_fill(data), 10 + 10);
    // A locus where nobody has a copy adds nothing.
    const MarkerData empty = markers(2, {{{10, 12}, {}}, {{10, 14}, {}}});
    EXPECT_EQ(average_fill(empty), 2);
}

TEST(StepwiseDistance, DistancesBeyondThirtyTwoBitsAreRefused) {
    // Three loci of nearly 10^9 steps each.
    const MarkerData far = markers(1, {{{1}, {1}, {1}}, {{999999999}, {999999999}, {999999999}}});
    DistanceMatrix matrix(2);
    EXPECT_EQ(stepwise_not_counted(far, matrix, false), DistanceResult::kTooLarge);
    EXPECT_EQ(stepwise_average_fill(far, matrix), DistanceResult::kTooLarge);
    const MarkerData two_loci = markers(1, {{{1}, {1}}, {{999999999}, {999999999}}});
    EXPECT_EQ(stepwise_not_counted(two_loci, matrix, false), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 1999999996);
    // A huge number of steps for the one missing copy, squared; 10 pairs with 10 at no cost.
    const MarkerData gap = markers(2, {{{10, 12}}, {{10}}});
    EXPECT_EQ(stepwise_missing_steps(gap, matrix, 46341, true), DistanceResult::kTooLarge);
    EXPECT_EQ(stepwise_missing_steps(gap, matrix, 46340, true), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 46340 * 46340);
    EXPECT_EQ(stepwise_missing_steps(gap, matrix, INT32_MAX, false), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), INT32_MAX);
    const MarkerData one_gap_two_loci = markers(2, {{{10, 12}, {10, 12}}, {{10}, {10, 12}}});
    EXPECT_EQ(stepwise_missing_steps(one_gap_two_loci, matrix, INT32_MAX, false),
              DistanceResult::kDone);
    const MarkerData gaps_at_two_loci = markers(2, {{{10, 12}, {10, 12}}, {{10}, {10}}});
    EXPECT_EQ(stepwise_missing_steps(gaps_at_two_loci, matrix, INT32_MAX, false),
              DistanceResult::kTooLarge);
    // Unequal counts with squared steps square the locus sum: six copies 19998 each match a
    // copy 10000 at 9998 steps in both directions (1 stays unmatched); 59988 fits, its square
    // does not.
    const MarkerData wide = markers(7, {{{10000, 10000, 10000, 10000, 10000, 10000}},
                                        {{19998, 19998, 19998, 19998, 19998, 19998, 1}}});
    EXPECT_EQ(stepwise_not_counted(wide, matrix, false), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(1, 0), 6 * 9998);
    EXPECT_EQ(stepwise_not_counted(wide, matrix, true), DistanceResult::kTooLarge);
}

TEST(StepwiseDistance, FillsEveryOffDiagonalCellSymmetrically) {
    const MarkerData data = markers(2, {{{10, 12}}, {{11, 12}}, {{14}}, {{10, 12}}});
    DistanceMatrix matrix = fresh_matrix(data);
    ASSERT_EQ(stepwise_not_counted(data, matrix, false), DistanceResult::kDone);
    // 14 against 12, 10 and against 12, 11: the closest copy, 2 steps both times.
    EXPECT_EQ(cells(matrix), (std::vector<int32_t>{0, 1, 2, 0,  //
                                                   1, 0, 2, 1,  //
                                                   2, 2, 0, 2,  //
                                                   0, 1, 2, 0}));
}

}  // namespace
}  // namespace kelvane
