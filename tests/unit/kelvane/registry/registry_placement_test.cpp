// A batch placed against stored genets gives the single-linkage genotypes of all the samples
// together, under every model the registry takes, for any split.
#include "kelvane/registry/registry_placement.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

#include "common/core/fatal_error.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/data/data_subset.hpp"
#include "support/distance_test_data.hpp"
#include "support/repeated_genotypes.hpp"

namespace kelvane {
namespace {

// 60 individuals of 15 genotypes, a third of them a step away from theirs at one copy.
MarkerData chained_genotypes(std::mt19937& generator, int32_t ploidy) {
    return testing::repeated_genotypes(generator, ploidy, {15, 60, 105, 0.3});
}

// Whether two labellings group the same individuals together.
bool same_grouping(const std::vector<int64_t>& a, const std::vector<int64_t>& b) {
    std::map<int64_t, int64_t> a_to_b;
    std::map<int64_t, int64_t> b_to_a;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a_to_b.emplace(a[i], b[i]).first->second != b[i] ||
            b_to_a.emplace(b[i], a[i]).first->second != a[i]) {
            return false;
        }
    }
    return true;
}

TEST(RegistryPlacement, BatchesGiveTheSingleLinkageOfAllSamples) {
    std::mt19937 generator(3);
    const std::vector<std::pair<std::string, std::string>> models{
        {"stepwise", "not-counted"},
        {"stepwise", "2"},
        {"two-phase", "infinite"},
        {"infinite-allele", "1"},
        {"infinite-allele", "one-mutation"}};
    int merges = 0;
    for (const int32_t ploidy : {2, 4}) {
        const MarkerData data = chained_genotypes(generator, ploidy);
        for (const auto& [distance, missing] : models) {
            DistanceInput input;
            input.model.distance = distance;
            input.model.missing = missing;
            const DistanceModel model = model_of(input.model, data);
            const bool own = missing != "not-counted" && missing != "one-mutation";
            for (const int32_t threshold : {0, 1, 2, 30}) {
                const Genotypes whole = analysis::single_linkage_genotypes(data, input, threshold);
                std::vector<int> order(static_cast<std::size_t>(data.n_individuals));
                std::iota(order.begin(), order.end(), 0);
                std::shuffle(order.begin(), order.end(), generator);
                const std::vector<int> first(order.begin(), order.begin() + 25);
                const std::vector<int> second(order.begin() + 25, order.end());
                // The first batch as stored: every individual a genotype of its genet.
                StoredGenotypes stored{data_subset(data, first), {}};
                const Placements founding =
                    place_samples({}, stored.genotypes, model, own, threshold, 1);
                for (const SamplePlacement& sample : founding.samples) {
                    stored.genets.push_back(sample.genet);
                }
                const Placements placed = place_samples(stored, data_subset(data, second), model,
                                                        own, threshold, founding.founded + 1);
                std::map<int64_t, int64_t> into;
                for (const GenetMerge& merge : placed.merges) {
                    EXPECT_LT(merge.into, merge.genet);
                    into[merge.genet] = merge.into;
                }
                merges += static_cast<int>(placed.merges.size());
                std::vector<int64_t> ours(static_cast<std::size_t>(data.n_individuals));
                std::vector<int64_t> theirs(ours.size());
                for (std::size_t k = 0; k < first.size(); ++k) {
                    const int64_t genet = stored.genets[k];
                    ours[static_cast<std::size_t>(first[k])] =
                        into.count(genet) > 0 ? into[genet] : genet;
                }
                for (std::size_t k = 0; k < second.size(); ++k) {
                    ours[static_cast<std::size_t>(second[k])] = placed.samples[k].genet;
                }
                for (std::size_t i = 0; i < ours.size(); ++i) {
                    theirs[i] = whole.numbers[i];
                }
                EXPECT_TRUE(same_grouping(ours, theirs))
                    << distance << " " << missing << " P " << ploidy << " T " << threshold;
            }
        }
    }
    EXPECT_GT(merges, 0);
}

TEST(RegistryPlacement, GenotypeTextsReadBackAndBadTextsAreRefused) {
    std::mt19937 generator(4);
    const MarkerData data = chained_genotypes(generator, 4);
    for (int i = 0; i < data.n_individuals; ++i) {
        const std::vector<int32_t> copies =
            genotype_copies(genotype_text(data, i, false), data.n_loci, data.max_ploidy);
        for (int k = 0; k < data.n_loci; ++k) {
            const auto genotype = data.locus_genotype(i, k);
            EXPECT_TRUE(std::equal(genotype.begin(), genotype.end(),
                                   copies.begin() + static_cast<std::ptrdiff_t>(k) * 4));
        }
    }
    const MarkerData one = testing::markers(2, {{{102, 0}, {0, 0}, {105, 101}}});
    EXPECT_EQ(genotype_text(one, 0, false), "102/0 0/0 105/101");
    EXPECT_EQ(genotype_text(one, 0, true), "102 0 101/105");
    for (const std::string bad :
         {"1/2 3", "1/2 3/4 5/6 7/8", "1/2/3 4 5", "1/x 2 3", "1//2 3 4", "1/2 3 99999999999"}) {
        EXPECT_THROW(genotype_copies(bad, 3, 2), clonal::FatalError) << bad;
    }
}

}  // namespace
}  // namespace kelvane
