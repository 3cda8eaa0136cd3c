// A declared maximum ploidy far above the copies any genotype holds: the reader keeps twice as
// many slots as the most copies, and every distance model gives what it gives with all slots.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "kelvane/data/marker_table_reader.hpp"
#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::Genotype;
using testing::Individual;
using Model = std::function<DistanceResult(const MarkerData&, DistanceMatrix&)>;

std::vector<Model> every_model() {
    return {
        [](const MarkerData& d, DistanceMatrix& m) { return stepwise_not_counted(d, m, false); },
        [](const MarkerData& d, DistanceMatrix& m) { return stepwise_not_counted(d, m, true); },
        [](const MarkerData& d, DistanceMatrix& m) {
            return stepwise_missing_steps(d, m, 3, false);
        },
        [](const MarkerData& d, DistanceMatrix& m) {
            return stepwise_missing_steps(d, m, 2, true);
        },
        [](const MarkerData& d, DistanceMatrix& m) { return stepwise_average_fill(d, m); },
        [](const MarkerData& d, DistanceMatrix& m) { return infinite_allele_one(d, m); },
        [](const MarkerData& d, DistanceMatrix& m) { return infinite_allele_steps(d, m, 2); },
        [](const MarkerData& d, DistanceMatrix& m) { return dice_distance(d, m, 8); },
        [](const MarkerData& d, DistanceMatrix& m) {
            return two_phase_distance(d, m, 10001, 2.0f, 100.0f);
        },
    };
}

TEST(SlotLimit, AHugeDeclaredPloidyIsReadIntoTwiceTheMostCopies) {
    const MarkerData data =
        read_marker_table("t\n2 1 2 2000000000 2\nA\n1 a 101112 0\n1 b 10 1213\n");
    EXPECT_EQ(data.max_ploidy, 2000000000);
    EXPECT_EQ(data.slots(), 6);
    EXPECT_EQ(data.copies.size(), 2u * 2u * 6u);
    EXPECT_EQ(
        std::vector<int32_t>(data.locus_genotype(0, 0).begin(), data.locus_genotype(0, 0).end()),
        (std::vector<int32_t>{10, 11, 12, 0, 0, 0}));
}

TEST(SlotLimit, EveryModelGivesTheDistancesOfAllSlots) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        // Up to five copies per genotype, with ties and missing copies, in sixteen slots.
        std::vector<Individual> individuals(9, Individual(3));
        for (auto& individual : individuals) {
            for (Genotype& genotype : individual) {
                const int count = static_cast<int>(random() % 6);
                for (int c = 0; c < count; ++c) {
                    genotype.push_back(
                        static_cast<int32_t>(random() % 4 == 0 ? 0 : 10 + random() % 7));
                }
            }
        }
        const MarkerData all_slots = testing::markers(16, individuals);
        MarkerData limited = testing::markers(10, individuals);
        limited.max_ploidy = 16;
        limited.slot_limit = 10;
        ASSERT_EQ(limited.slots(), 10);
        for (const Model& model : every_model()) {
            DistanceMatrix full_matrix(9);
            DistanceMatrix limited_matrix(9);
            ASSERT_EQ(model(all_slots, full_matrix), DistanceResult::kDone);
            ASSERT_EQ(model(limited, limited_matrix), DistanceResult::kDone);
            ASSERT_EQ(cells(full_matrix), cells(limited_matrix)) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace kelvane
