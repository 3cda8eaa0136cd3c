// The minimum spanning network of the clonal genotypes.
#include "kelvane/analysis/network.hpp"

namespace kelvane::analysis {

NetworkResult network(const DistanceMatrix& matrix, int32_t threshold) {
    NetworkResult result;
    result.genotypes = genotypes_at_threshold(matrix, threshold);
    result.edges = minimum_spanning_network(genotype_distances(matrix, result.genotypes));
    return result;
}

}  // namespace kelvane::analysis
