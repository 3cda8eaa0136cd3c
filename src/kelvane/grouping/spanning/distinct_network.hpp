// The minimum spanning network of the clonal genotypes (minimum_spanning_network.hpp) from the
// distances of the distinct genotypes given band by band, without the matrix of the clonal
// genotypes.
//
// Two clonal genotypes A and B at distance w (their closest members) are linked in the network
// exactly when no path joins them through links shorter than w, that is when w is their
// bottleneck: the height at which single linkage merges them. Bottlenecks between individuals
// are those between their distinct genotypes (a member repeats its genotype's distances), so a
// pair of distinct genotypes g, h at distance d gives the links A-B at d for the clonal genotypes
// of their members when d is above the threshold and g, h are not joined by tree edges lighter
// than d. Two members of one genotype whose members stay apart (a twin farther than the
// threshold) lie at its own distance s, and are linked at s when no other genotype lies closer.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/grouping/distinct_genotypes.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_tree.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

class DistinctSpanningNetwork {
  public:
    // genotypes: the single-linkage genotypes of the individuals at threshold; tree and own: a
    // minimum spanning tree of the distinct genotypes and their own distances
    // (DistinctMergeHeights).
    DistinctSpanningNetwork(const DistinctGenotypes& distinct, const Genotypes& genotypes,
                            int32_t threshold, const std::vector<TreeEdge>& tree,
                            const std::vector<int32_t>& own);

    // The pairs (i, j < i) of the band's rows (DistinctGenotypes::rows()), in any order.
    void add_band(const DistanceMatrix& band);

    // The links between genotype rows (number - 1), ordered by a, then b.
    std::vector<NetworkEdge> edges();

  private:
    // The component of distinct genotype g among the tree edges lighter than below.
    int component_below(int g, int32_t below) const;
    void add(int g, int h, int32_t distance);
    void compact();

    int32_t threshold_;
    int32_t heaviest_ = 0;            // the heaviest tree edge: no link is longer
    std::vector<int> parent_;         // the tree's components by union by rank, never compressed
    std::vector<int32_t> joined_at_;  // the weight at which each node was put under its parent
    std::vector<int32_t> clonal_;     // per distinct genotype: its members' genotype row, or -1
    std::vector<std::vector<int32_t>> apart_;  // the genotype rows of members that stay apart
    std::vector<NetworkEdge> edges_;
    std::size_t compacted_ = 0;  // edges_ holds no repeats up to here
};

}  // namespace kelvane
