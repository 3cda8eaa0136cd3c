// The minimum spanning network of the clonal genotypes at a threshold: every link that lies on
// some minimum spanning tree of the genotypes, the distance of two genotypes being the smallest
// distance between their members. Units: distances (distances.hpp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/automatic_threshold.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

struct NetworkResult {
    Genotypes genotypes;
    std::vector<NetworkEdge> edges;
    bool unrounded = false;                       // the links' distances are real
    std::optional<AutomaticThreshold> automatic;  // the threshold chosen, when automatic
};

// On whole distances: a whole threshold.
NetworkResult network(const DistanceMatrix& matrix, double threshold);

// The same from the distances the input describes. On computed distances (clones.hpp:
// grouped_by_distinct_genotypes) no matrix is held: the distances of the distinct genotypes are
// computed twice a band at a time, first for the genotypes and a spanning tree, then for the links
// (memory grows with the distinct genotypes and the links, not n x n). Real distances
// (unrounded) take the n x n ranks (grouping_distances.hpp) and a real threshold.
NetworkResult network(const MarkerData& data, const DistanceInput& distances, double threshold,
                      const clonal::WorkSettings& work = {});

// The same at the threshold chosen from the mismatch distances (automatic_threshold.hpp), from
// the replicate pairs when there are some; the n x n ranks of the distances.
NetworkResult automatic_network(const MarkerData& data, const DistanceInput& distances,
                                std::span<const std::pair<int, int>> replicates,
                                const clonal::WorkSettings& work = {});

// genotype, size, individuals (their names, separated by blanks), then a column pop_NAME per
// population with the genotype's count there: a row per clonal genotype, as the nodes of the
// GraphML file.
clonal::ResultTable network_node_table(const MarkerData& data, const NetworkResult& network);

// from, to (genotype numbers), weight (the distance): a row per link.
clonal::ResultTable network_edge_table(const NetworkResult& network);

}  // namespace kelvane::analysis
