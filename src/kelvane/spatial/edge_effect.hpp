// Whether genets of one ramet lie nearer the plot's edge than the ramets do, so that large
// genets cut by the edge inflate the count of genets: the edge effect of Arnaud-Haond et al.
// (2007) as RClone's edge_effect computes it. Du is the mean distance to the centre of the ramets
// whose genet has one ramet, Da that of all ramets, Ee = (Du - Da) / Da. The p-value places the
// genets of one ramet at random positions: 2 min(share of permuted Ee at or below Ee, share at or
// above), at most 1.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "common/core/random.hpp"
#include "kelvane/spatial/coordinates.hpp"

namespace kelvane {

// NaN: no value (no ramets; Du without genets of one ramet; p without permutations).
struct EdgeResult {
    double du = std::numeric_limits<double>::quiet_NaN();
    double da = std::numeric_limits<double>::quiet_NaN();
    double ee = std::numeric_limits<double>::quiet_NaN();
    double p = std::numeric_limits<double>::quiet_NaN();
};

// The centroid of the members' coordinates.
std::pair<double, double> centroid(const Coordinates& coordinates, const std::vector<int>& members);

EdgeResult edge_effect(const Coordinates& coordinates, const std::vector<int32_t>& genets,
                       const std::vector<int>& members, std::pair<double, double> centre,
                       int64_t permutations, clonal::Random& random);

}  // namespace kelvane
