// The radial tree layout of a network.
#include "kelvane/figures/evidence/network_layout.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "kelvane/grouping/union_find.hpp"

namespace kelvane {

NetworkLayout network_layout(std::span<const int64_t> sizes, std::span<const NetworkEdge> edges) {
    const auto k = static_cast<int>(sizes.size());
    NetworkLayout layout;
    layout.positions.assign(sizes.size(), {});
    if (k == 0) {
        return layout;
    }
    // One spanning forest, its shortest links first.
    std::vector<NetworkEdge> sorted(edges.begin(), edges.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const NetworkEdge& x, const NetworkEdge& y) {
        return x.distance < y.distance;
    });
    UnionFind components(k);
    std::vector<std::vector<int>> neighbours(sizes.size());
    for (const NetworkEdge& edge : sorted) {
        if (components.join(edge.a, edge.b)) {
            neighbours[static_cast<std::size_t>(edge.a)].push_back(edge.b);
            neighbours[static_cast<std::size_t>(edge.b)].push_back(edge.a);
        }
    }
    for (std::vector<int>& list : neighbours) {
        std::sort(list.begin(), list.end());
    }
    // The tree of each component hangs from its largest genotype (the first of equal ones). A
    // network of genotypes is connected; should it not be, its components hang from an empty
    // centre, row k, each root on the first ring.
    std::vector<int> order(sizes.size());
    for (int g = 0; g < k; ++g) {
        order[static_cast<std::size_t>(g)] = g;
    }
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        return sizes[static_cast<std::size_t>(x)] > sizes[static_cast<std::size_t>(y)];
    });
    const auto all = sizes.size() + 1;
    std::vector<int> parent(all, -2);  // -2: not reached, -1: the centre
    std::vector<int> depth(all, 0);
    std::vector<int> visit{k};  // breadth first, parents before children
    parent[sizes.size()] = -1;
    std::vector<int> roots;
    for (const int root : order) {
        if (parent[static_cast<std::size_t>(root)] != -2) {
            continue;
        }
        roots.push_back(root);
        parent[static_cast<std::size_t>(root)] = k;
        std::size_t next = visit.size();
        visit.push_back(root);
        while (next < visit.size()) {
            const int v = visit[next++];
            for (const int w : neighbours[static_cast<std::size_t>(v)]) {
                if (parent[static_cast<std::size_t>(w)] == -2) {
                    parent[static_cast<std::size_t>(w)] = v;
                    visit.push_back(w);
                }
            }
        }
    }
    // With one component its root is the centre.
    const int first_ring = roots.size() == 1 ? 0 : 1;
    for (std::size_t v = 1; v < visit.size(); ++v) {
        const auto i = static_cast<std::size_t>(visit[v]);
        const auto up = static_cast<std::size_t>(parent[i]);
        depth[i] = up == sizes.size() ? first_ring : depth[up] + 1;
    }
    // The leaves below every genotype, children before parents.
    std::vector<double> leaves(all, 0.0);
    for (auto v = visit.rbegin(); v != visit.rend(); ++v) {
        double& own = leaves[static_cast<std::size_t>(*v)];
        own = std::max(own, 1.0);
        const int up = parent[static_cast<std::size_t>(*v)];
        if (up >= 0) {
            leaves[static_cast<std::size_t>(up)] += own;
        }
    }
    // Wedges, in turns from the top clockwise: a child takes its share of its parent's wedge.
    std::vector<double> wedge_start(all, 0.0);
    std::vector<double> wedge(all, 1.0);
    std::vector<double> taken(all, 0.0);  // of the wedge, by the children placed
    for (const int v : visit) {
        const int up = parent[static_cast<std::size_t>(v)];
        if (up < 0) {
            continue;
        }
        const auto u = static_cast<std::size_t>(up);
        const double share = wedge[u] * leaves[static_cast<std::size_t>(v)] / leaves[u];
        wedge_start[static_cast<std::size_t>(v)] = wedge_start[u] + taken[u];
        wedge[static_cast<std::size_t>(v)] = share;
        taken[u] += share;
    }
    // Rings one unit apart, and wide enough for about a unit of arc per genotype on them, so
    // that a genotype with many neighbours does not crowd them onto a small circle.
    int deepest = 0;
    for (std::size_t v = 1; v < visit.size(); ++v) {
        deepest = std::max(deepest, depth[static_cast<std::size_t>(visit[v])]);
    }
    std::vector<double> on_ring(static_cast<std::size_t>(deepest) + 1, 0.0);
    for (std::size_t v = 1; v < visit.size(); ++v) {
        ++on_ring[static_cast<std::size_t>(depth[static_cast<std::size_t>(visit[v])])];
    }
    std::vector<double> ring(on_ring.size(), 0.0);
    for (std::size_t d = 1; d < ring.size(); ++d) {
        ring[d] = std::max(ring[d - 1] + 1.0, on_ring[d] / (2.0 * std::numbers::pi));
    }
    for (std::size_t v = 1; v < visit.size(); ++v) {
        const auto i = static_cast<std::size_t>(visit[v]);
        const double angle = 2.0 * std::numbers::pi * (wedge_start[i] + wedge[i] / 2);
        const double radius = ring[static_cast<std::size_t>(depth[i])];
        layout.positions[i] = {radius * std::sin(angle), radius * std::cos(angle)};
        layout.depth = std::max(layout.depth, depth[i]);
        layout.radius = std::max(layout.radius, radius);
    }
    return layout;
}

}  // namespace kelvane
