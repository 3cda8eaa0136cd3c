// How many pairs lie at each distance: what a histogram of distances needs, gathered without the
// matrix (a band of distances at a time, pairs weighted by how often their genotypes occur).
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "kelvane/grouping/distinct_genotypes.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

class DistanceTally {
  public:
    void add(int32_t distance, int64_t pairs);

    int64_t pairs() const { return pairs_; }
    // The largest distance of a pair (INT32_MIN for none).
    int32_t largest() const;
    // The pairs in classes 0 to classes of the given width, as tally_distance_classes counts
    // them from a matrix.
    std::vector<int64_t> class_counts(int32_t classes, double width) const;

  private:
    // Small distances in a table, others in a map.
    static constexpr int32_t kTableSize = int32_t{1} << 20;
    std::vector<int64_t> small_;
    std::map<int32_t, int64_t> large_;
    int64_t pairs_ = 0;
};

// The pairs of individuals at each distance from the distances of DistinctGenotypes::rows(),
// given band by band: c(g) c(h) pairs for two distinct genotypes, c(g) (c(g) - 1) / 2 at a
// genotype's own distance (0 unless a twin).
class DistinctPairTally {
  public:
    explicit DistinctPairTally(const DistinctGenotypes& distinct);

    void add_band(const DistanceMatrix& band);

    DistanceTally tally() const;

  private:
    const DistinctGenotypes& distinct_;
    DistanceTally between_;
    std::vector<int32_t> own_;  // per twin
};

}  // namespace kelvane
