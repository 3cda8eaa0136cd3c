// The distances summed from bit planes at biallelic loci are those of the computation locus by
// locus: on random data with missing copies, haploid to tetraploid, loci with one, two and more
// alleles, steps near the closest-allele matching's limit, chunks of loci over word and chunk
// boundaries, and sums beyond 32 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "kelvane/distance/biallelic/and_popcount.hpp"
#include "kelvane/distance/biallelic/biallelic_loci.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::cells;
using testing::fresh_matrix;

struct RandomSnps {
    int individuals = 0;
    int loci = 0;
    int ploidy = 2;
    double missing = 0.0;       // the share of missing copies
    double multiallelic = 0.0;  // the share of loci with three alleles
};

// Every locus draws its allele values: mostly 1 and 2 (allele index + 1 of a VCF file), else
// values some steps apart, up to past the 9999 steps the closest-allele matching never matches;
// some loci keep a single allele.
MarkerData random_snps(const RandomSnps& settings, std::mt19937& engine) {
    const auto below = [&](int limit) {
        return std::uniform_int_distribution<int>(0, limit - 1)(engine);
    };
    std::bernoulli_distribution missing(settings.missing);
    std::bernoulli_distribution multiallelic(settings.multiallelic);
    std::vector<testing::Individual> individuals(static_cast<std::size_t>(settings.individuals));
    for (int k = 0; k < settings.loci; ++k) {
        std::vector<int32_t> values{1, 2};
        switch (below(6)) {
            case 0:
                values = {100, 100 + 1 + below(8)};
                break;
            case 1:
                values = {5, 5 + 9997 + below(4)};
                break;
            case 2:
                values = {7};
                break;
            default:
                break;
        }
        if (multiallelic(engine)) {
            values.push_back(values.back() + 1 + below(3));
        }
        const double share = std::uniform_real_distribution<double>(0.0, 1.0)(engine);
        for (auto& individual : individuals) {
            testing::Genotype copies;
            for (int c = 0; c < settings.ploidy; ++c) {
                const bool first = std::uniform_real_distribution<double>(0.0, 1.0)(engine) < share;
                copies.push_back(
                    missing(engine) ? 0
                    : first
                        ? values[0]
                        : values[static_cast<std::size_t>(below(static_cast<int>(values.size())))]);
            }
            individual.push_back(copies);
        }
    }
    return testing::markers(settings.ploidy, individuals);
}

struct NamedModel {
    std::string name;
    DistanceModel model;
};

std::vector<NamedModel> integer_models() {
    std::vector<NamedModel> models;
    const auto add = [&](const std::string& name, DistanceKind kind, MissingData missing,
                         int32_t steps) {
        DistanceModel model;
        model.kind = kind;
        model.missing = missing;
        model.missing_steps = steps;
        models.push_back({name, model});
    };
    add("infinite allele, one mutation", DistanceKind::kInfiniteAllele, MissingData::kOneMutation,
        0);
    add("infinite allele, not counted", DistanceKind::kInfiniteAllele, MissingData::kNotCounted, 0);
    add("infinite allele, 1 mutation each", DistanceKind::kInfiniteAllele, MissingData::kSteps, 1);
    add("infinite allele, 3 mutations each", DistanceKind::kInfiniteAllele, MissingData::kSteps, 3);
    add("stepwise, not counted", DistanceKind::kStepwise, MissingData::kNotCounted, 0);
    add("squared, not counted", DistanceKind::kSquared, MissingData::kNotCounted, 0);
    add("stepwise, 2 steps each", DistanceKind::kStepwise, MissingData::kSteps, 2);
    add("squared, 5 steps each", DistanceKind::kSquared, MissingData::kSteps, 5);
    return models;
}

// The matrix of the model with and without the planes, and the outcome of both.
void expect_same_distances(const MarkerData& data, const NamedModel& named,
                           const std::string& what) {
    DistanceOptions planes;
    planes.threads = 2;
    DistanceOptions locus_by_locus;
    locus_by_locus.threads = 1;
    locus_by_locus.biallelic_fast_path = false;
    DistanceMatrix fast = fresh_matrix(data);
    DistanceMatrix plain = fresh_matrix(data);
    const DistanceResult fast_result = compute_distances(data, fast, named.model, planes);
    const DistanceResult plain_result = compute_distances(data, plain, named.model, locus_by_locus);
    ASSERT_EQ(fast_result, plain_result) << named.name << ", " << what;
    if (plain_result == DistanceResult::kDone) {
        ASSERT_EQ(cells(fast), cells(plain)) << named.name << ", " << what;
    }
}

TEST(BiallelicSums, EqualTheComputationLocusByLocusOnRandomData) {
    std::mt19937 engine(12);
    for (int round = 0; round < 48; ++round) {
        RandomSnps settings;
        settings.individuals = 2 + static_cast<int>(engine() % 30);
        settings.loci = 1 + static_cast<int>(engine() % 140);
        settings.ploidy = 1 + round % 4;
        settings.missing = round % 3 == 0 ? 0.0 : 0.02 + 0.1 * (round % 5);
        settings.multiallelic = round % 4 == 1 ? 0.1 : 0.0;
        const MarkerData data = random_snps(settings, engine);
        // The planes take part: most loci have two alleles.
        ASSERT_FALSE(split_biallelic_loci(data, {.slot_cost = 1}, 1).chunks.empty());
        const std::string what = "round " + std::to_string(round) + ", ploidy " +
                                 std::to_string(settings.ploidy) + ", " +
                                 std::to_string(settings.loci) + " loci";
        for (const NamedModel& model : integer_models()) {
            expect_same_distances(data, model, what);
        }
    }
}

TEST(BiallelicSums, EqualTheComputationLocusByLocusOverSeveralChunks) {
    // More loci than one chunk of planes holds, and individuals in more than one block of rows.
    std::mt19937 engine(5);
    for (const int ploidy : {1, 2, 3, 4}) {
        RandomSnps settings{.individuals = 37, .loci = 2100, .ploidy = ploidy, .missing = 0.05};
        settings.multiallelic = ploidy == 3 ? 0.05 : 0.0;
        const MarkerData data = random_snps(settings, engine);
        for (const NamedModel& model : integer_models()) {
            expect_same_distances(data, model, "ploidy " + std::to_string(ploidy));
        }
    }
}

TEST(BiallelicSums, ADistanceBeyond32BitsIsRefusedAsLocusByLocus) {
    std::mt19937 engine(3);
    const MarkerData data = random_snps({.individuals = 9, .loci = 40, .missing = 0.3}, engine);
    for (const DistanceKind kind :
         {DistanceKind::kStepwise, DistanceKind::kSquared, DistanceKind::kInfiniteAllele}) {
        DistanceModel model;
        model.kind = kind;
        model.missing = MissingData::kSteps;
        for (const int32_t steps : {46341, 2147483647, 60000000, 1000000000}) {
            model.missing_steps = steps;
            expect_same_distances(data, {"huge missing steps", model}, std::to_string(steps));
        }
    }
}

TEST(BiallelicLoci, SplitsLociByAllelesAndGroupsThemByStepCost) {
    // Loci: two alleles 1 step apart, one allele, three alleles, two alleles 9999 steps apart
    // (never matched by the closest-allele matching), nothing present, two alleles 3 steps apart.
    const MarkerData data = testing::markers(2, {{{1, 2}, {7, 7}, {1, 2}, {1, 1}, {}, {4, 0}},
                                                 {{2, 2}, {7, 0}, {3, 3}, {10000, 1}, {}, {7, 7}},
                                                 {{1, 0}, {7, 7}, {1, 1}, {1, 1}, {}, {4, 4}}});
    const LociSplit steps =
        split_biallelic_loci(data, {.mismatch_cost = 1, .scale = StepScale::kSquaredSteps}, 1);
    EXPECT_EQ(steps.other_loci, (std::vector<int>{2, 3}));
    ASSERT_EQ(steps.chunks.size(), 3u);
    // Step costs 0 (one allele or none), 1 and 9, in ascending order.
    EXPECT_EQ(steps.chunks[0].step_cost, 0);
    EXPECT_EQ(steps.chunks[0].loci.size(), 2u);
    EXPECT_EQ(steps.chunks[1].step_cost, 1);
    EXPECT_EQ(steps.chunks[2].step_cost, 9);
    const BiallelicLocus& first = steps.chunks[1].loci[0];
    EXPECT_EQ(first.locus, 0);
    EXPECT_EQ(first.larger, 2);
    EXPECT_EQ(first.smaller, 1);
    EXPECT_EQ(first.most_larger, 2);
    EXPECT_EQ(first.most_smaller, 1);
    EXPECT_EQ(first.most_missing, 1);
    // Without steps every locus of at most two alleles shares one cost.
    const LociSplit alleles = split_biallelic_loci(data, {.slot_cost = 1}, 1);
    EXPECT_EQ(alleles.other_loci, (std::vector<int>{2}));
    ASSERT_EQ(alleles.chunks.size(), 1u);
    EXPECT_EQ(alleles.chunks[0].loci.size(), 5u);
}

TEST(AndPopcount, CountsTheBitsBothWordsHave) {
    const std::vector<uint64_t> a{0xFFFFFFFFFFFFFFFF, 0x0F0F, 0, 0x8000000000000001, 0xFF, 1, 3,
                                  0xF0F0F0F0F0F0F0F0, 7};
    const std::vector<uint64_t> b{0xFFFFFFFFFFFFFFFF, 0x00FF, 5, 0x8000000000000001, 0x0F, 1, 2,
                                  0xFFFFFFFFFFFFFFFF, 6};
    // 64 + 4 + 0 + 2 + 4 + 1 + 1 + 32 + 2.
    EXPECT_EQ(and_popcount(a.data(), b.data(), a.size()), 110u);
    EXPECT_EQ(and_popcount(a.data(), b.data(), 1), 64u);
    EXPECT_EQ(and_popcount(a.data(), b.data(), 0), 0u);
    // Rows of three words, four words apart, against the first three words of b.
    std::vector<uint64_t> sums(2);
    and_popcounts(b.data(), a.data(), 4, 3, 2, sums.data());
    EXPECT_EQ(sums, (std::vector<uint64_t>{68, 10}));  // 64 + 4 + 0; 8 + 1 + 1
}

}  // namespace
}  // namespace kelvane
