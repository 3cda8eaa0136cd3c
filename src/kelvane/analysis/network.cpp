// The minimum spanning network of the clonal genotypes.
#include "kelvane/analysis/network.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "kelvane/analysis/clones.hpp"
#include "kelvane/grouping/spanning/distinct_network.hpp"
#include "kelvane/grouping/spanning/network_files.hpp"

namespace kelvane::analysis {

namespace {

// The network on whole distances, or on the ranks of real ones with their distances back.
NetworkResult network_of(const GroupingDistances& distances, double threshold) {
    NetworkResult result;
    result.genotypes = genotypes_under(distances, threshold, Linkage::kSingle);
    result.edges = minimum_spanning_network(genotype_distances(distances.matrix, result.genotypes));
    for (NetworkEdge& edge : result.edges) {
        edge.distance = distances.distance(static_cast<int64_t>(edge.distance));
    }
    // Genotypes linked only by pairs without a distance stay apart.
    std::erase_if(result.edges, [](const NetworkEdge& edge) { return std::isinf(edge.distance); });
    return result;
}

}  // namespace

NetworkResult network(const DistanceMatrix& matrix, double threshold) {
    check_threshold(threshold);
    NetworkResult result;
    result.genotypes = genotypes_at_threshold(matrix, whole_threshold(threshold));
    result.edges = minimum_spanning_network(genotype_distances(matrix, result.genotypes));
    return result;
}

NetworkResult network(const MarkerData& data, const DistanceInput& distances, double threshold,
                      const clonal::WorkSettings& work) {
    check_threshold(threshold, distances.unrounded);
    if (distances.unrounded) {
        NetworkResult result = network_of(grouping_distances(data, distances, work), threshold);
        result.unrounded = true;
        return result;
    }
    if (!grouped_by_distinct_genotypes(distances)) {
        return network(distance_matrix(data, distances, work), threshold);
    }
    const DistinctGenotypes distinct = distinct_genotypes_under(data, distances);
    // Two passes over the distances: the progress reported runs once from 0 to the end.
    const auto pass = [&](int number) {
        clonal::WorkSettings settings{work.threads, {}};
        if (work.progress) {
            settings.progress = [&work, number](uint64_t done, uint64_t total) {
                work.progress(number * total + done, 2 * total);
            };
        }
        return settings;
    };
    DistinctSingleLinkage linkage(distinct, whole_threshold(threshold));
    DistinctMergeHeights tree(distinct, work.threads);
    for_each_distinct_band(data, distinct, distances, pass(0), [&](const DistanceMatrix& band) {
        linkage.add_band(band);
        tree.add_band(band);
    });
    NetworkResult result;
    result.genotypes = linkage.genotypes();
    DistinctSpanningNetwork links(distinct, result.genotypes, whole_threshold(threshold),
                                  tree.tree_edges(), tree.own_distances());
    for_each_distinct_band(data, distinct, distances, pass(1),
                           [&](const DistanceMatrix& band) { links.add_band(band); });
    result.edges = links.edges();
    return result;
}

NetworkResult automatic_network(const MarkerData& data, const DistanceInput& distances,
                                std::span<const std::pair<int, int>> replicates,
                                const clonal::WorkSettings& work) {
    const AutomaticDistances automatic = automatic_distances(data, distances, replicates, work);
    NetworkResult result =
        network_of(grouping_distances(data, automatic.values), automatic.chosen.threshold);
    result.unrounded = distances.unrounded;
    result.automatic = automatic.chosen;
    return result;
}

clonal::ResultTable network_node_table(const MarkerData& data, const NetworkResult& network) {
    const NetworkNodes nodes = network_nodes(data, network.genotypes);
    std::vector<std::string> header{"genotype", "size", "individuals"};
    for (int p = 1; p <= data.n_populations; ++p) {
        header.push_back("pop_" + data.population_name(p));
    }
    clonal::ResultTable table;
    table.header(header);
    for (std::size_t g = 0; g < nodes.individuals.size(); ++g) {
        table.integer(static_cast<int64_t>(g) + 1)
            .integer(nodes.size(g))
            .text(nodes.individuals[g]);
        for (int p = 1; p <= data.n_populations; ++p) {
            const auto found = nodes.per_population[g].find(p);
            table.integer(found == nodes.per_population[g].end() ? 0 : found->second);
        }
        table.end_row();
    }
    return table;
}

clonal::ResultTable network_edge_table(const NetworkResult& network) {
    clonal::ResultTable table;
    table.header({"from", "to", "weight"});
    for (const NetworkEdge& edge : network.edges) {
        distance_cell(table.integer(edge.a + 1).integer(edge.b + 1), edge.distance,
                      network.unrounded);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
