// One minimum spanning tree of a complete graph, by Prim's algorithm in O(n^2): the tree of the
// pairs of individuals whose sorted edge weights are the merge heights of single linkage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

namespace kelvane {

struct TreeEdge {
    int32_t weight;
    int a;
    int b;
};

// The n - 1 edges of a minimum spanning tree of the complete graph on 0 to n - 1, in the order
// Prim's algorithm adds them from vertex 0; weight(u, v) gives the weight of the edge u-v.
template <class Weight>
std::vector<TreeEdge> minimum_spanning_tree(int n, Weight weight) {
    std::vector<TreeEdge> edges;
    if (n <= 1) {
        return edges;
    }
    edges.reserve(static_cast<std::size_t>(n) - 1);
    // Cheapest known link of every vertex outside the tree into it.
    std::vector<int64_t> link(static_cast<std::size_t>(n), std::numeric_limits<int64_t>::max());
    std::vector<int> link_to(static_cast<std::size_t>(n), 0);
    std::vector<int> outside(static_cast<std::size_t>(n) - 1);
    std::iota(outside.begin(), outside.end(), 1);
    int added = 0;
    while (!outside.empty()) {
        std::size_t best = 0;
        for (std::size_t k = 0; k < outside.size(); ++k) {
            const auto v = static_cast<std::size_t>(outside[k]);
            const int32_t distance = weight(added, outside[k]);
            if (distance < link[v]) {
                link[v] = distance;
                link_to[v] = added;
            }
            if (link[v] < link[static_cast<std::size_t>(outside[best])]) {
                best = k;
            }
        }
        const int next = outside[best];
        const auto next_index = static_cast<std::size_t>(next);
        edges.push_back({static_cast<int32_t>(link[next_index]), link_to[next_index], next});
        outside[best] = outside.back();
        outside.pop_back();
        added = next;
    }
    return edges;
}

}  // namespace kelvane
