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
    std::vector<NeighbourPair> pairs;
    std::vector<int> found_from;  // per pair: how many ramets found it
    std::map<std::pair<int, int>, std::size_t> index;
    for (int i = 0; i < n; ++i) {
        const int from = members[static_cast<std::size_t>(i)];
        double nearest = std::numeric_limits<double>::infinity();
        int ties = 0;
        int last = i;
        for (int j = 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            const double distance =
                coordinates.distance(from, members[static_cast<std::size_t>(j)]);
            if (distance < nearest) {
                nearest = distance;
                ties = 0;
            }
            if (distance == nearest) {
                ++ties;
                last = j;
            }
        }
        // The ramet itself is a tie when another shares its place (its distance to itself is 0),
        // and the last one when it comes after the others.
        if (nearest == 0.0) {
            ++ties;
            last = std::max(last, i);
        }
        // A pair found from both ends takes the mean of its weights (1 when neither end tied).
        const std::pair<int, int> ends{std::min(i, last), std::max(i, last)};
        const auto [place, added] = index.emplace(ends, pairs.size());
        if (added) {
            pairs.push_back({ends.first, ends.second, 0.0});
            found_from.push_back(0);
        }
        pairs[place->second].weight += 1.0 / ties;
        ++found_from[place->second];
    }
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        pairs[k].weight /= found_from[k];
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
