// The edge effect and its permutation test.
#include "kelvane/spatial/edge_effect.hpp"

#include <limits>
#include <map>

#include "kelvane/spatial/two_sided_share.hpp"

namespace kelvane {

std::pair<double, double> centroid(const Coordinates& coordinates,
                                   const std::vector<int>& members) {
    double x = 0.0;
    double y = 0.0;
    for (const int i : members) {
        x += coordinates.x[static_cast<std::size_t>(i)];
        y += coordinates.y[static_cast<std::size_t>(i)];
    }
    const auto n = static_cast<double>(members.size());
    return {x / n, y / n};
}

EdgeResult edge_effect(const Coordinates& coordinates, const std::vector<int32_t>& genets,
                       const std::vector<int>& members, std::pair<double, double> centre,
                       int64_t permutations, clonal::Random& random) {
    const std::size_t n = members.size();
    std::map<int32_t, int64_t> sizes;
    for (const int i : members) {
        ++sizes[genets[static_cast<std::size_t>(i)]];
    }
    std::vector<double> to_centre(n);
    std::vector<int32_t> alone;  // positions of the ramets of one-ramet genets
    double all = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const int i = members[k];
        to_centre[k] = coordinates.distance_to(i, centre.first, centre.second);
        all += to_centre[k];
        if (sizes[genets[static_cast<std::size_t>(i)]] == 1) {
            alone.push_back(static_cast<int32_t>(k));
        }
    }
    const auto mean_at = [&](const std::vector<int32_t>& positions, std::size_t count) {
        if (count == 0) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        double sum = 0.0;
        for (std::size_t k = 0; k < count; ++k) {
            sum += to_centre[static_cast<std::size_t>(positions[k])];
        }
        return sum / static_cast<double>(count);
    };
    EdgeResult result;
    result.da = all / static_cast<double>(n);
    result.du = mean_at(alone, alone.size());
    result.ee = (result.du - result.da) / result.da;
    // A permutation moves every ramet; those of one-ramet genets land on as many random
    // positions.
    std::vector<double> permuted;
    std::vector<int32_t> order(n);
    for (int64_t s = 0; s < permutations; ++s) {
        for (std::size_t k = 0; k < n; ++k) {
            order[k] = static_cast<int32_t>(k);
        }
        clonal::partial_shuffle(random, order, static_cast<int>(alone.size()));
        permuted.push_back((mean_at(order, alone.size()) - result.da) / result.da);
    }
    result.p = two_sided_share(permuted, result.ee);
    return result;
}

}  // namespace kelvane
