// The minimum spanning network of the clonal genotypes: every edge that lies on some minimum
// spanning tree of the genotypes, so that ties between equally short links are all shown. The
// distance of two genotypes is the smallest distance between their members.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The distances between genotypes 1 to k, at rows and columns 0 to k - 1.
DistanceMatrix genotype_distances(const DistanceMatrix& matrix, const Genotypes& genotypes);

struct NetworkEdge {
    int a;  // genotype rows, a < b
    int b;
    double distance;  // whole, or real on real distances
};

// The union of all minimum spanning trees of the matrix, ordered by a, then b. An edge lies on
// some minimum spanning tree exactly when no path joins its ends through strictly shorter edges,
// that is when its weight equals the largest edge on the tree path between its ends; one tree
// and the order in which its edges join components give every such edge in O(k^2).
std::vector<NetworkEdge> minimum_spanning_network(const DistanceMatrix& distances);

}  // namespace kelvane
