// A minimum spanning tree of the complete graph on 0 to n - 1 whose weights come a band of rows at
// a time and are never held whole. For blocks A (an earlier band) and B (the current one), no
// edge outside the tree of the graph on A and B can lie on the tree of the whole graph (it is the
// heaviest edge of a cycle there too); and the edges inside a block that its own tree leaves out
// are out for the same reason. So each band's block gets its tree, each pair of blocks the tree
// of their two trees and the edges between them, and the tree of all these candidates (about
// blocks x n edges) is a tree of the whole graph. Time O(n^2) over all bands; memory the band,
// the block trees and the candidates.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/grouping/spanning/minimum_spanning_tree.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

class BandedSpanningTree {
  public:
    // The vertices 0 to n - 1; rows and columns of the bands at n or beyond are not read. The
    // pairs of blocks are worked on by up to threads workers (0: every core), with the same tree
    // whatever their number.
    explicit BandedSpanningTree(int n, int threads = 0);

    // The pairs (i, j < i) of the band's rows below n; bands come in increasing order of rows,
    // each beginning where the previous one ended.
    void add_band(const DistanceMatrix& band);

    // The n - 1 edges of a minimum spanning tree, by increasing weight.
    std::vector<TreeEdge> edges() const;

  private:
    struct Block {
        int first = 0;
        int end = 0;
        std::vector<TreeEdge> tree;
    };

    int n_;
    int threads_;
    std::vector<Block> blocks_;
    std::vector<TreeEdge> candidates_;
};

}  // namespace kelvane
