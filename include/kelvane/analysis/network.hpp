// The minimum spanning network of the clonal genotypes at a threshold: every link that lies on
// some minimum spanning tree of the genotypes, the distance of two genotypes being the smallest
// distance between their members. Units: distances (distances.hpp).
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/minimum_spanning_network.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

struct NetworkResult {
    Genotypes genotypes;
    std::vector<NetworkEdge> edges;
};

NetworkResult network(const DistanceMatrix& matrix, int32_t threshold);

}  // namespace kelvane::analysis
