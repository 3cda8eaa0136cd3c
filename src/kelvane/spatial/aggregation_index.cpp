// The aggregation index of clones and its permutation test.
#include "kelvane/spatial/aggregation_index.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "kelvane/spatial/two_sided_share.hpp"

namespace kelvane {
namespace {

// Psp of the nearest pairs under the genets of the members' positions.
double nearest_share(const std::vector<NeighbourPair>& pairs,
                     const std::vector<int32_t>& genet_at) {
    double sum = 0.0;
    for (const NeighbourPair& pair : pairs) {
        const bool apart = genet_at[static_cast<std::size_t>(pair.a)] !=
                           genet_at[static_cast<std::size_t>(pair.b)];
        sum += pair.weight * (apart ? 1.0 : 0.0);
    }
    return sum / static_cast<double>(pairs.size());
}

}  // namespace

std::vector<NeighbourPair> nearest_neighbour_pairs(const Coordinates& coordinates,
                                                   const std::vector<int>& members) {
    const int n = static_cast<int>(members.size());
    std::vector<NeighbourPair> found;
    for (int i = 0; i < n; ++i) {
        double nearest = std::numeric_limits<double>::infinity();
        for (int j = 0; j < n; ++j) {
            if (j != i) {
                nearest =
                    std::min(nearest, coordinates.distance(members[static_cast<std::size_t>(i)],
                                                           members[static_cast<std::size_t>(j)]));
            }
        }
        // Every position at that distance counts as a tie, the ramet itself too when another
        // shares its place (its distance to itself is 0); the last one is kept.
        int ties = 0;
        int last = i;
        for (int j = 0; j < n; ++j) {
            const double distance =
                j == i ? 0.0
                       : coordinates.distance(members[static_cast<std::size_t>(i)],
                                              members[static_cast<std::size_t>(j)]);
            if (distance == nearest) {
                ++ties;
                last = j;
            }
        }
        found.push_back({std::min(i, last), std::max(i, last), 1.0 / ties});
    }
    // A pair found twice with a weight below 1 takes the mean of its weights; each pair once.
    std::map<std::pair<int, int>, std::pair<double, int>> weights;
    for (const NeighbourPair& pair : found) {
        auto& [sum, count] = weights[{pair.a, pair.b}];
        sum += pair.weight;
        ++count;
    }
    std::vector<NeighbourPair> pairs;
    std::map<std::pair<int, int>, bool> taken;
    for (const NeighbourPair& pair : found) {
        if (taken[{pair.a, pair.b}]) {
            continue;
        }
        taken[{pair.a, pair.b}] = true;
        const auto& [sum, count] = weights[{pair.a, pair.b}];
        bool shared = false;
        for (const NeighbourPair& other : found) {
            shared = shared || (other.a == pair.a && other.b == pair.b && other.weight != 1.0);
        }
        pairs.push_back({pair.a, pair.b, shared ? sum / count : pair.weight});
    }
    return pairs;
}

AggregationResult aggregation_index(const Coordinates& coordinates,
                                    const std::vector<int32_t>& genets,
                                    const std::vector<int>& members, int64_t permutations,
                                    clonal::Random& random) {
    const std::size_t n = members.size();
    std::vector<int32_t> genet_at(n);
    for (std::size_t k = 0; k < n; ++k) {
        genet_at[k] = genets[static_cast<std::size_t>(members[k])];
    }
    // Psg from the genets' sizes: pairs apart = all pairs - pairs within genets.
    std::map<int32_t, int64_t> sizes;
    for (const int32_t genet : genet_at) {
        ++sizes[genet];
    }
    const double all = static_cast<double>(n) * static_cast<double>(n - 1) / 2.0;
    double within = 0.0;
    for (const auto& [genet, size] : sizes) {
        within += static_cast<double>(size) * static_cast<double>(size - 1) / 2.0;
    }
    AggregationResult result;
    result.psg = (all - within) / all;
    const std::vector<NeighbourPair> pairs = nearest_neighbour_pairs(coordinates, members);
    const auto ac = [&](const std::vector<int32_t>& at) {
        return (result.psg - nearest_share(pairs, at)) / result.psg;
    };
    result.psp = nearest_share(pairs, genet_at);
    result.ac = ac(genet_at);
    std::vector<double> permuted;
    std::vector<int32_t> order(n);
    std::vector<int32_t> shuffled(n);
    for (int64_t s = 0; s < permutations; ++s) {
        for (std::size_t k = 0; k < n; ++k) {
            order[k] = static_cast<int32_t>(k);
        }
        clonal::shuffle(random, order);
        for (std::size_t k = 0; k < n; ++k) {
            shuffled[k] = genet_at[static_cast<std::size_t>(order[k])];
        }
        permuted.push_back(ac(shuffled));
    }
    result.p = two_sided_share(permuted, result.ac);
    return result;
}

}  // namespace kelvane
