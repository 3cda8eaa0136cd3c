#include "kelvane/distance/dice_distance.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::fresh_matrix;
using testing::markers;

int32_t dice(const MarkerData& data, int32_t absence_code) {
    DistanceMatrix matrix = fresh_matrix(data);
    EXPECT_EQ(dice_distance(data, matrix, absence_code), DistanceResult::kDone);
    EXPECT_EQ(matrix.at(0, 1), matrix.at(1, 0));
    return matrix.at(1, 0);
}

TEST(DiceDistance, OneMinusTheDiceSimilarityOnAScaleOfOneHundred) {
    // Bands 1, 1, 8 against 1, 8, 8: 2 and 1 present, 1 shared; 100 - 200/3 = 33.33.
    const MarkerData data = markers(1, {{{1}, {8}, {8}}, {{1}, {1}, {8}}});
    EXPECT_EQ(dice(data, 8), 33);
    // A negative code asks for the scale of 100000: 33333.33.
    EXPECT_EQ(dice(data, -8), 33333);
}

// Two haploid individuals over as many loci as given, from the bands of each.
MarkerData bands(const std::vector<int32_t>& first, const std::vector<int32_t>& second) {
    std::vector<testing::Individual> individuals(2);
    for (std::size_t locus = 0; locus < first.size(); ++locus) {
        individuals[0].push_back({first[locus]});
        individuals[1].push_back({second[locus]});
    }
    return markers(1, individuals);
}

TEST(DiceDistance, RoundsToTheNearestIntegerWithHalvesUp) {
    // Present 3 (second) and 1 (first), 1 shared: 100 - 200/4 = 50 exactly.
    EXPECT_EQ(dice(bands({1, 8, 8, 8}, {1, 1, 1, 8}), 8), 50);
    // Present 6 and 9, 5 shared: 100 - 1000/15 = 33.33.
    EXPECT_EQ(dice(bands({1, 1, 1, 1, 1, 1, 8, 8, 8, 8}, {1, 1, 1, 1, 1, 8, 1, 1, 1, 1}), 8), 33);
    // Present 5 and 8, 5 shared: 100 - 1000/13 = 23.08, and 23076.92 on the finer scale.
    const MarkerData thirteen = bands({1, 1, 1, 1, 1, 8, 8, 8}, {1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(dice(thirteen, 8), 23);
    EXPECT_EQ(dice(thirteen, -8), 23077);
    // Present 8 and 8, 7 shared: 100 - 1400/16 = 12.5, a half, rounded up to 13.
    const MarkerData half = bands({1, 1, 1, 1, 1, 1, 1, 1, 8}, {8, 1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(dice(half, 8), 13);
    EXPECT_EQ(dice(half, -8), 12500);
}

TEST(DiceDistance, LeavesOutLociWhereEitherIsMissing) {
    // Locus 2 is missing in the second individual: only loci 1 and 3 count, 1 shared of 1 + 2.
    const MarkerData data = markers(1, {{{1}, {1}, {1}}, {{1}, {}, {8}}});
    EXPECT_EQ(dice(data, 8), 33);
    // Only absences at the usable loci: distance 0.
    const MarkerData absent = markers(1, {{{8}, {1}}, {{8}, {}}});
    EXPECT_EQ(dice(absent, 8), 0);
    const MarkerData nothing = markers(1, {{{}}, {{1}}});
    EXPECT_EQ(dice(nothing, 8), 0);
}

TEST(DiceDistance, LooksOnlyAtTheFirstSlot) {
    const MarkerData data = markers(2, {{{1, 5}, {8, 1}}, {{1, 6}, {1, 1}}});
    // First slots 1, 8 against 1, 1: 1 present and 2 present, 1 shared: 100 - 200/3.
    EXPECT_EQ(dice(data, 8), 33);
}

TEST(DiceDistance, TheSmallestCodeIsTakenWithoutOverflow) {
    // -2147483648 asks for the scale of 100000 with an absence code no 32-bit copy can have.
    const MarkerData data = markers(1, {{{1}, {2}}, {{1}, {3}}});
    EXPECT_EQ(dice(data, INT32_MIN), 50000);
    DistanceMatrix matrix = fresh_matrix(data);
    ASSERT_EQ(dice_distance(data, matrix, 2), DistanceResult::kDone);
    // Code 2: the first shows 1 band, the second 2, 1 shared: 100 - 200/3.
    EXPECT_EQ(cells(matrix), (std::vector<int32_t>{0, 33, 33, 0}));
}

}  // namespace
}  // namespace kelvane
