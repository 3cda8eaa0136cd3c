// Whether the ramets of a genet sit together: the aggregation index Ac of Arnaud-Haond et al.
// (2007) as RClone's agg_index computes it. With clonal identity counted 0 for two ramets of one
// genet and 1 otherwise, Psg is its mean over all pairs and Psp its mean over the nearest-
// neighbour pairs: each ramet's nearest other ramet (among ties, the last in data order), the
// pair weighted 1 / the number of ties (a pair found from both ends with different weights takes
// their mean), each pair once. Ac = (Psg - Psp) / Psg. The p-value permutes the genets over the
// positions: 2 min(share of permuted Ac at or below Ac, share at or above), at most 1.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "common/core/random.hpp"
#include "kelvane/spatial/coordinates.hpp"

namespace kelvane {

struct NeighbourPair {
    int a;  // members' positions, a <= b
    int b;
    double weight;
};

// The nearest-neighbour pairs of the members, in the order of the first ramet that finds them.
std::vector<NeighbourPair> nearest_neighbour_pairs(const Coordinates& coordinates,
                                                   const std::vector<int>& members);

struct AggregationResult {
    double psg = std::numeric_limits<double>::quiet_NaN();
    double psp = std::numeric_limits<double>::quiet_NaN();
    double ac =
        std::numeric_limits<double>::quiet_NaN();  // NaN when every pair shares a genet (Psg 0)
    double p = std::numeric_limits<double>::quiet_NaN();  // NaN without permutations
};

// genets: the genet number of every individual; members: those analysed (2 or more).
AggregationResult aggregation_index(const Coordinates& coordinates,
                                    const std::vector<int32_t>& genets,
                                    const std::vector<int>& members, int64_t permutations,
                                    clonal::Random& random);

}  // namespace kelvane
