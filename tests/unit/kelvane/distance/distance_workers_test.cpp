// The distance models give the same matrix whatever the number of workers, whether locus results
// are shared among equal genotypes or not, and (two-phase) whether matchings are enumerated.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <new>
#include <random>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/locus_values.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::fresh_matrix;

// A clonal sample: individuals descend from a few founders, with a few changed or lost copies.
MarkerData clonal_sample(int n, int ploidy, int loci, uint32_t seed, int alleles = 12) {
    std::mt19937 engine(seed);
    const auto below = [&](int limit) {
        return std::uniform_int_distribution<int>(0, limit - 1)(engine);
    };
    std::vector<testing::Individual> founders(6);
    for (auto& founder : founders) {
        for (int k = 0; k < loci; ++k) {
            testing::Genotype copies;
            const int present = ploidy - (below(4) == 0 ? below(ploidy + 1) : 0);
            for (int c = 0; c < present; ++c) {
                copies.push_back(100 + below(alleles));
            }
            founder.push_back(copies);
        }
    }
    std::vector<testing::Individual> individuals;
    for (int i = 0; i < n; ++i) {
        testing::Individual individual = founders[static_cast<std::size_t>(below(6))];
        for (auto& copies : individual) {
            for (auto& copy : copies) {
                if (below(25) == 0) {
                    copy = below(3) == 0 ? 0 : 100 + below(alleles);
                }
            }
        }
        individuals.push_back(individual);
    }
    return testing::markers(ploidy, individuals);
}

using Model =
    std::function<DistanceResult(const MarkerData&, DistanceMatrix&, const DistanceOptions&)>;

std::vector<std::pair<const char*, Model>> models() {
    return {
        {"not counted",
         [](auto& d, auto& m, auto& o) { return stepwise_not_counted(d, m, false, o); }},
        {"not counted squared",
         [](auto& d, auto& m, auto& o) { return stepwise_not_counted(d, m, true, o); }},
        {"missing steps",
         [](auto& d, auto& m, auto& o) { return stepwise_missing_steps(d, m, 3, false, o); }},
        {"missing steps squared",
         [](auto& d, auto& m, auto& o) { return stepwise_missing_steps(d, m, 3, true, o); }},
        {"average fill", [](auto& d, auto& m, auto& o) { return stepwise_average_fill(d, m, o); }},
        {"infinite allele one",
         [](auto& d, auto& m, auto& o) { return infinite_allele_one(d, m, o); }},
        {"infinite allele steps",
         [](auto& d, auto& m, auto& o) { return infinite_allele_steps(d, m, 2, o); }},
        {"dice", [](auto& d, auto& m, auto& o) { return dice_distance(d, m, 108, o); }},
        {"two-phase 5",
         [](auto& d, auto& m, auto& o) { return two_phase_distance(d, m, 0, 2.0f, 100.0f, o); }},
        {"two-phase 6", [](auto& d, auto& m,
                           auto& o) { return two_phase_distance(d, m, 10001, 2.0f, 100.0f, o); }},
        {"two-phase base 1.3",
         [](auto& d, auto& m, auto& o) { return two_phase_distance(d, m, 4, 1.3f, 1000.0f, o); }},
    };
}

std::vector<int32_t> run(const Model& model, const MarkerData& data, DistanceOptions options) {
    DistanceMatrix matrix = fresh_matrix(data);
    EXPECT_EQ(model(data, matrix, options), DistanceResult::kDone);
    return cells(matrix);
}

TEST(DistanceWorkers, EveryModelGivesTheSingleThreadedMatrix) {
    for (const int ploidy : {1, 2, 4, 6}) {
        // 150 individuals: more than one block of the mirrored triangle.
        const MarkerData data = clonal_sample(150, ploidy, 4, static_cast<uint32_t>(ploidy));
        for (const auto& [name, model] : models()) {
            SCOPED_TRACE(name);
            SCOPED_TRACE(ploidy);
            const std::vector<int32_t> plain = run(model, data, {1, false, false});
            // A matrix of zeros would make the comparisons empty.
            EXPECT_GT(*std::max_element(plain.begin(), plain.end()), 0);
            EXPECT_EQ(run(model, data, {4, false, false}), plain);
            EXPECT_EQ(run(model, data, {3, true, false}), plain);
            EXPECT_EQ(run(model, data, {1, true, false}), plain);
        }
    }
}

// A band of rows at a time gives the pairs of the whole matrix, also from the bit planes of loci
// with two alleles (a sample of 70 such loci, more than one chunk of 64).
TEST(DistanceWorkers, EveryModelGivesTheWholeMatrixABandAtATime) {
    for (const MarkerData& data : {clonal_sample(130, 4, 4, 5), clonal_sample(130, 2, 70, 11, 2)}) {
        for (const auto& [name, model] : models()) {
            SCOPED_TRACE(name);
            DistanceMatrix whole(data.n_individuals);
            ASSERT_EQ(model(data, whole, {2, true, false}), DistanceResult::kDone);
            for (const int rows : {9, 37}) {
                for (int first = 0; first < data.n_individuals; first += rows) {
                    const int end = std::min(data.n_individuals, first + rows);
                    DistanceMatrix band(data.n_individuals, first, end);
                    ASSERT_EQ(model(data, band, {2, true, false}), DistanceResult::kDone);
                    for (int i = first; i < end; ++i) {
                        for (int j = 0; j < i; ++j) {
                            ASSERT_EQ(band.at(i, j), whole.at(i, j)) << i << ", " << j;
                        }
                    }
                }
            }
        }
    }
}

// Pairs of complete genotypes of up to six copies are matched several at a time in vector lanes,
// pair by pair or into the tables of shared locus results.
TEST(DistanceWorkers, FastMatchingGivesTheEnumeratedMatrix) {
    for (const int ploidy : {2, 3, 4, 5, 6}) {
        const MarkerData data = clonal_sample(40, ploidy, 3, 20 + static_cast<uint32_t>(ploidy));
        for (const float base : {2.0f, 1.3f, 1.7f}) {
            for (const int32_t missing : {0, 2, 10001}) {
                const auto model = [&](auto& d, auto& m, auto& o) {
                    return two_phase_distance(d, m, missing, base, 100000.0f, o);
                };
                const std::vector<int32_t> enumerated = run(model, data, {2, false, true});
                EXPECT_EQ(run(model, data, {2, false, false}), enumerated)
                    << "ploidy " << ploidy << ", base " << base << ", missing " << missing;
                EXPECT_EQ(run(model, data, {2, true, false}), enumerated)
                    << "tables, ploidy " << ploidy << ", base " << base << ", missing " << missing;
                // The real distances too, to the last bit.
                EXPECT_EQ(two_phase_means(data, missing, base, {2, true, false}),
                          two_phase_means(data, missing, base, {1, false, true}))
                    << "means, ploidy " << ploidy << ", base " << base << ", missing " << missing;
            }
        }
    }
}

TEST(DistanceWorkers, RefusalDoesNotDependOnTheWorkers) {
    const MarkerData data = clonal_sample(80, 2, 3, 7);
    for (const int threads : {1, 2, 5}) {
        DistanceMatrix matrix(data.n_individuals);
        EXPECT_EQ(stepwise_missing_steps(data, matrix, INT32_MAX, true, {threads, true, false}),
                  DistanceResult::kTooLarge);
        EXPECT_EQ(infinite_allele_steps(data, matrix, INT32_MAX, {threads, false, false}),
                  DistanceResult::kTooLarge);
    }
}

// Counts its calls, to show what sharing saves.
struct CountingModel {
    using Value = int64_t;
    struct Workspace {};
    const MarkerData& data;
    std::atomic<int64_t>* calls;

    Workspace workspace() const { return {}; }
    Value locus_value(Workspace&, int locus, int i, int j, int32_t copy_count) const {
        ++*calls;
        return data.locus_genotype(i, locus)[0] * 1000 + data.locus_genotype(j, locus)[0] +
               copy_count;
    }
};

TEST(LocusValues, SharesResultsAmongEqualGenotypes) {
    // 60 individuals with 3 genotypes at the locus (slot order does not matter).
    std::vector<testing::Individual> individuals;
    for (int i = 0; i < 60; ++i) {
        individuals.push_back({i % 3 == 0   ? testing::Genotype{5, 7}
                               : i % 3 == 1 ? testing::Genotype{7, 5}
                                            : testing::Genotype{9}});
    }
    const MarkerData data = testing::markers(2, individuals);
    std::atomic<int64_t> calls{0};
    const CountingModel model{data, &calls};
    const LocusValues<CountingModel> shared(data, model, most_present_copies(data), {2, true});
    EXPECT_EQ(shared.tabled_loci(), 1);
    // Two distinct genotypes and two copy counts of pairs (1 between two individuals holding
    // the single 9, 2 otherwise): two tables of 2 x 2 instead of 1770 pairs.
    EXPECT_EQ(calls.load(), 8);
    CountingModel::Workspace workspace;
    // The model looks at slot 0, so the result shows which individual stood for the genotype:
    // individual 1 (7, 5) is represented by individual 0 (5, 7), the first holding it.
    EXPECT_EQ(shared.value(workspace, 0, 1, 2, 2), 5 * 1000 + 9 + 2);
    EXPECT_EQ(shared.value(workspace, 0, 2, 3, 2), 9 * 1000 + 5 + 2);
    EXPECT_EQ(shared.value(workspace, 0, 2, 5, 1), 9 * 1000 + 9 + 1);
    EXPECT_EQ(calls.load(), 8);

    std::atomic<int64_t> direct_calls{0};
    const CountingModel direct_model{data, &direct_calls};
    const LocusValues<CountingModel> direct(data, direct_model, {}, {2, false});
    EXPECT_EQ(direct.tabled_loci(), 0);
    EXPECT_EQ(direct.value(workspace, 0, 1, 2, 0), 7 * 1000 + 9);
    EXPECT_EQ(direct_calls.load(), 1);
}

TEST(LocusGenotypes, GroupsEqualCopiesInAnySlotOrder) {
    const MarkerData data =
        testing::markers(3, {{{5, 7}, {1}}, {{7, 5}, {2}}, {{7}, {1}}, {{5, 7, 0}, {1, 1}}});
    const std::vector<LocusGenotypes> loci = distinct_locus_genotypes(data, 2);
    ASSERT_EQ(loci.size(), 2U);
    EXPECT_EQ(loci[0].id_of[0], loci[0].id_of[1]);
    EXPECT_EQ(loci[0].id_of[0], loci[0].id_of[3]);
    EXPECT_NE(loci[0].id_of[0], loci[0].id_of[2]);
    EXPECT_EQ(loci[0].representative.size(), 2U);
    EXPECT_EQ(loci[0].representative[static_cast<std::size_t>(loci[0].id_of[3])], 0);
    EXPECT_EQ(loci[1].representative.size(), 3U);
    EXPECT_EQ(most_present_copies(data), (std::vector<int32_t>{2, 2, 1, 2}));
    const DescendingCopies sorted(data);
    EXPECT_EQ(std::vector<int32_t>(sorted.locus_genotype(3, 0).begin(),
                                   sorted.locus_genotype(3, 0).end()),
              (std::vector<int32_t>{7, 5, 0}));
}

}  // namespace
}  // namespace kelvane
