// Clonal data repeat themselves: n individuals carry G distinct genotypes, often G << n. Identical
// genotypes (equal sorted copies at every locus, a missing copy equal to a missing copy) have
// equal distances to every individual, so single linkage needs the distances between distinct
// genotypes only, plus, for a repeated genotype with missing copies, the distance between two of
// its members, which some treatments of missing copies make more than 0.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/spanning/banded_spanning_tree.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/union_find.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Whether an individual lacks a copy at some locus.
bool has_missing_copy(const MarkerData& data, int individual);

struct DistinctGenotypes {
    std::vector<int32_t> of;      // the distinct genotype of each individual, numbered from 0
    std::vector<int> first;       // the first individual of each distinct genotype
    std::vector<int64_t> counts;  // its individuals
    // The repeated genotypes with a missing copy, whose own distance is computed, ascending.
    std::vector<int32_t> twins;

    int32_t count() const { return static_cast<int32_t>(first.size()); }
    // The individuals whose distances are computed: the first of every distinct genotype, then a
    // second member of every twin genotype (rows count() on).
    std::vector<int> rows() const;
    // Whether rows() is every individual in order (no genotype repeats).
    bool all_distinct() const { return first.size() == of.size(); }
};

// own_distances: whether two members of a repeated genotype with missing copies may lie more
// than 0 apart (missing copies counted as steps or mutations); without it there are no twins.
DistinctGenotypes distinct_genotypes(const MarkerData& data, bool own_distances = true);

// Single linkage at a threshold from the distances of DistinctGenotypes::rows(), given band by
// band in any order: the clonal genotypes of the individuals exactly as genotypes_at_threshold
// gives them on the n x n matrix.
class DistinctSingleLinkage {
  public:
    DistinctSingleLinkage(const DistinctGenotypes& distinct, int32_t threshold);

    // The pairs (i, j < i) of the band's rows.
    void add_band(const DistanceMatrix& band);

    Genotypes genotypes() const;

  private:
    const DistinctGenotypes& distinct_;
    int32_t threshold_;
    UnionFind links_;
    std::vector<bool> apart_;  // per twin: its members are farther apart than the threshold
};

// The single-linkage merge heights of the individuals from the distances of
// DistinctGenotypes::rows(), given band by band in increasing order of rows: the heights of a
// spanning tree of the distinct genotypes, and for a genotype of c members c - 1 merges at the
// smaller of its own distance (0 unless a twin) and its nearest other genotype's.
class DistinctMergeHeights {
  public:
    // threads: workers for the spanning tree (0: every core).
    explicit DistinctMergeHeights(const DistinctGenotypes& distinct, int threads = 0);

    void add_band(const DistanceMatrix& band);

    // Ascending, one fewer than the individuals.
    std::vector<int64_t> heights() const;

    // A minimum spanning tree of the distinct genotypes (rows below count()), by increasing
    // weight, and the own distance of every distinct genotype (0 unless a twin).
    std::vector<TreeEdge> tree_edges() const { return tree_.edges(); }
    std::vector<int32_t> own_distances() const;

  private:
    const DistinctGenotypes& distinct_;
    BandedSpanningTree tree_;
    std::vector<int32_t> own_;  // per twin: the distance between two of its members
};

}  // namespace kelvane
