// Whether genets of one ramet lie nearer the plot's edge than the ramets do, so that large
// genets cut by the edge inflate the count of genets: the edge effect of Arnaud-Haond et al.
// (2007) as RClone's edge_effect computes it. Du is the mean distance to the centre of the ramets
// whose genet has one ramet, Da that of all ramets, Ee = (Du - Da) / Da. The p-value places the
// genets of one ramet at random positions: 2 min(share of permuted Ee at or below Ee, share at or
// above), at most 1.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/random.hpp"
#include "kelvane/spatial/coordinates.hpp"

namespace kelvane {

struct EdgeResult {
    double du = 0.0;  // NaN without genets of one ramet
    double da = 0.0;
    double ee = 0.0;
    double p = 0.0;  // NaN without permutations
};

// The centroid of the members' coordinates.
std::pair<double, double> centroid(const Coordinates& coordinates, const std::vector<int>& members);

EdgeResult edge_effect(const Coordinates& coordinates, const std::vector<int32_t>& genets,
                       const std::vector<int>& members, std::pair<double, double> centre,
                       int64_t permutations, clonal::Random& random);

}  // namespace kelvane
