// Single linkage over distinct genotypes against single linkage over the whole n x n matrix: the
// genotypes at a threshold, the counts at every threshold, the suggested thresholds, the distance
// histogram and the minimum spanning network, on random data with repeated genotypes, copies in
// any order and missing copies, under every treatment of them, with the distances given band by
// band; and the spanning tree built band by band against Prim's on the whole matrix.
#include "kelvane/grouping/distinct_genotypes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "kelvane/analysis/clones.hpp"
#include "kelvane/analysis/histogram.hpp"
#include "kelvane/analysis/network.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/analysis/thresholds.hpp"
#include "kelvane/data/data_subset.hpp"
#include "support/distance_test_data.hpp"
#include "support/repeated_genotypes.hpp"

namespace kelvane {
namespace {

// The network's genotypes and links as one list to compare: the numbers, then a, b, distance.
std::vector<int64_t> network_values(const analysis::NetworkResult& network) {
    std::vector<int64_t> values(network.genotypes.numbers.begin(), network.genotypes.numbers.end());
    values.push_back(network.genotypes.count);
    for (const NetworkEdge& edge : network.edges) {
        values.insert(values.end(), {edge.a, edge.b, static_cast<int64_t>(edge.distance)});
    }
    return values;
}

TEST(DistinctGenotypes, SingleLinkageAsOnTheWholeMatrixUnderEveryModel) {
    std::mt19937 generator(5);
    const std::vector<std::pair<std::string, std::string>> models{
        {"stepwise", "not-counted"},         {"stepwise", "3"},        {"squared", "2"},
        {"two-phase", "infinite"},           {"two-phase", "2"},       {"two-phase", "not-counted"},
        {"infinite-allele", "one-mutation"}, {"infinite-allele", "2"}, {"stepwise", "average"}};
    for (const int32_t ploidy : {2, 4}) {
        const MarkerData data = testing::repeated_genotypes(generator, ploidy);
        for (const auto& [distance, missing] : models) {
            DistanceInput input;
            input.model.distance = distance;
            input.model.missing = missing;
            const DistanceMatrix matrix = distance_matrix(data, input);
            for (const int32_t threshold : {0, 1, 2, 4, 7, 60, 200}) {
                analysis::ClonesSettings settings;
                settings.threshold = threshold;
                const analysis::ClonesResult whole =
                    analysis::clones(data, matrix, input, settings);
                const analysis::ClonesResult distinct = analysis::clones(data, input, settings);
                const std::string what = distance + " " + missing + " P " + std::to_string(ploidy) +
                                         " T " + std::to_string(threshold);
                EXPECT_EQ(distinct.genotypes.numbers, whole.genotypes.numbers) << what;
                EXPECT_EQ(distinct.genotypes.count, whole.genotypes.count) << what;
                ASSERT_EQ(distinct.missing.has_value(), whole.missing.has_value()) << what;
                if (whole.missing) {
                    EXPECT_EQ(distinct.missing->joined, whole.missing->joined) << what;
                }
                EXPECT_EQ(network_values(analysis::network(data, input, threshold)),
                          network_values(analysis::network(matrix, threshold)))
                    << what;
                if (whole.missing && threshold > 0) {
                    // Above 0 the grouping with missing copies counted, from its own matrix.
                    DistanceInput counted = input;
                    counted.model.missing = "1";
                    EXPECT_EQ(
                        distinct.missing->genotypes_apart,
                        genotypes_at_threshold(distance_matrix(data, counted), threshold).count)
                        << what;
                }
            }
            EXPECT_EQ(analysis::thresholds(data, input), analysis::thresholds(matrix))
                << distance << " " << missing;
            // The suggestions, offspring drawn from the same seeds.
            analysis::SuggestionSettings suggest;
            suggest.alpha = 0.05;
            suggest.simulations = 300;
            clonal::Random first;
            clonal::Random second;
            const analysis::Suggestions banded = analysis::suggestions(data, input, suggest, first);
            const analysis::Suggestions whole =
                analysis::suggestions(data, matrix, input_model(input, data), suggest, second);
            ASSERT_EQ(banded.gap.has_value(), whole.gap.has_value());
            if (whole.gap) {
                EXPECT_EQ(banded.gap->low, whole.gap->low) << distance << " " << missing;
                EXPECT_EQ(banded.gap->high, whole.gap->high);
            }
            EXPECT_EQ(banded.floor->low, whole.floor->low) << distance << " " << missing;
            EXPECT_EQ(banded.counts, whole.counts);
            for (const analysis::HistogramSettings settings :
                 {analysis::HistogramSettings{7, 0}, analysis::HistogramSettings{4, 3}}) {
                const analysis::DistanceHistogram of_matrix = analysis::histogram(matrix, settings);
                const analysis::DistanceHistogram of_distinct =
                    analysis::histogram(data, input, settings);
                EXPECT_EQ(of_distinct.counts, of_matrix.counts) << distance << " " << missing;
                EXPECT_EQ(of_distinct.beyond, of_matrix.beyond) << distance << " " << missing;
                EXPECT_EQ(of_distinct.max_distance, of_matrix.max_distance);
                EXPECT_EQ(of_distinct.width, of_matrix.width);
            }
        }
    }
}

// The rows of the distinct genotypes cut into bands of four rows, in the order given.
std::vector<DistanceMatrix> bands_of(const DistanceMatrix& rows, bool reversed) {
    std::vector<DistanceMatrix> bands;
    const int n = rows.size();
    for (int first = 0; first < n; first += 4) {
        DistanceMatrix band(n, first, std::min(n, first + 4));
        for (int i = first; i < band.end_row(); ++i) {
            for (int j = 0; j < i; ++j) {
                band.at(i, j) = rows.at(i, j);
            }
        }
        bands.push_back(std::move(band));
    }
    if (reversed) {
        std::reverse(bands.begin(), bands.end());
    }
    return bands;
}

TEST(DistinctGenotypes, BandsInAnyOrderAndTwinsFartherThanTheThreshold) {
    std::mt19937 generator(8);
    const MarkerData data = testing::repeated_genotypes(generator, 2);
    DistanceInput input;
    input.model.missing = "4";  // two members of a genotype with a missing copy lie 8 apart
    const DistinctGenotypes distinct = distinct_genotypes(data);
    ASSERT_FALSE(distinct.twins.empty());
    const DistanceMatrix rows = distance_matrix(data_subset(data, distinct.rows()), input);
    const DistanceMatrix matrix = distance_matrix(data, input);
    DistinctMergeHeights heights(distinct);
    for (const DistanceMatrix& band : bands_of(rows, false)) {
        heights.add_band(band);
    }
    EXPECT_EQ(counts_at_merges(data.n_individuals, heights.heights()), genotype_counts(matrix));
    for (const int32_t threshold : {0, 3, 8, 20}) {
        DistinctSingleLinkage linkage(distinct, threshold);
        for (const DistanceMatrix& band : bands_of(rows, true)) {
            linkage.add_band(band);
        }
        const Genotypes expected = genotypes_at_threshold(matrix, threshold);
        EXPECT_EQ(linkage.genotypes().numbers, expected.numbers) << threshold;
        EXPECT_EQ(linkage.genotypes().count, expected.count) << threshold;
        // Members of a twin kept apart are linked to each other at its own distance.
        EXPECT_EQ(network_values(analysis::network(data, input, threshold)),
                  network_values(analysis::network(matrix, threshold)))
            << threshold;
    }
}

TEST(DistinctGenotypes, SpanningTreeBandByBandWeighsAsPrimsOnTheWholeMatrix) {
    std::mt19937 generator(13);
    for (const int n : {1, 2, 9, 31}) {
        std::uniform_int_distribution<int32_t> weight(0, n % 2 == 0 ? 5 : 1000);
        DistanceMatrix matrix(n);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < i; ++j) {
                matrix.set_pair(i, j, weight(generator));
            }
        }
        BandedSpanningTree banded(n);
        for (const DistanceMatrix& band : bands_of(matrix, false)) {
            banded.add_band(band);
        }
        std::vector<int32_t> expected;
        for (const TreeEdge& edge :
             minimum_spanning_tree(n, [&](int u, int v) { return matrix.at(u, v); })) {
            expected.push_back(edge.weight);
        }
        std::sort(expected.begin(), expected.end());
        std::vector<int32_t> weights;
        UnionFind joined(std::max(n, 1));
        for (const TreeEdge& edge : banded.edges()) {
            weights.push_back(edge.weight);
            EXPECT_TRUE(joined.join(edge.a, edge.b)) << n;
        }
        EXPECT_EQ(weights, expected) << n;
    }
}

}  // namespace
}  // namespace kelvane
