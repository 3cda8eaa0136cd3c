// The union of the minimum spanning trees of the genotypes.
#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"

#include <algorithm>
#include <limits>

#include "kelvane/grouping/spanning/minimum_spanning_tree.hpp"

namespace kelvane {

DistanceMatrix genotype_distances(const DistanceMatrix& matrix, const Genotypes& genotypes) {
    DistanceMatrix distances(genotypes.count);
    for (int a = 0; a < genotypes.count; ++a) {
        for (int b = 0; b < genotypes.count; ++b) {
            distances.at(a, b) = a == b ? 0 : std::numeric_limits<int32_t>::max();
        }
    }
    const int n = matrix.size();
    for (int i = 0; i < n; ++i) {
        const int a = genotypes.numbers[static_cast<std::size_t>(i)] - 1;
        const auto row = matrix.row(i);
        for (int j = i + 1; j < n; ++j) {
            const int b = genotypes.numbers[static_cast<std::size_t>(j)] - 1;
            if (a != b && row[static_cast<std::size_t>(j)] < distances.at(a, b)) {
                distances.set_pair(a, b, row[static_cast<std::size_t>(j)]);
            }
        }
    }
    return distances;
}

std::vector<NetworkEdge> minimum_spanning_network(const DistanceMatrix& distances) {
    const int k = distances.size();
    std::vector<TreeEdge> tree =
        minimum_spanning_tree(k, [&](int u, int v) { return distances.at(u, v); });
    std::sort(tree.begin(), tree.end(),
              [](const TreeEdge& x, const TreeEdge& y) { return x.weight < y.weight; });
    // Tree edges join components in ascending weight; the pairs across the two components that
    // an edge of weight w joins have w as the largest edge on their tree path.
    std::vector<std::vector<int>> members(static_cast<std::size_t>(k));
    std::vector<int> component(static_cast<std::size_t>(k));
    for (int v = 0; v < k; ++v) {
        members[static_cast<std::size_t>(v)] = {v};
        component[static_cast<std::size_t>(v)] = v;
    }
    std::vector<NetworkEdge> edges;
    for (const TreeEdge& edge : tree) {
        auto big = static_cast<std::size_t>(component[static_cast<std::size_t>(edge.a)]);
        auto small = static_cast<std::size_t>(component[static_cast<std::size_t>(edge.b)]);
        if (members[big].size() < members[small].size()) {
            std::swap(big, small);
        }
        for (const int u : members[small]) {
            for (const int v : members[big]) {
                if (distances.at(u, v) == edge.weight) {
                    edges.push_back(
                        {std::min(u, v), std::max(u, v), static_cast<double>(edge.weight)});
                }
            }
        }
        for (const int u : members[small]) {
            component[static_cast<std::size_t>(u)] = static_cast<int>(big);
        }
        members[big].insert(members[big].end(), members[small].begin(), members[small].end());
        members[small].clear();
    }
    std::sort(edges.begin(), edges.end(), [](const NetworkEdge& x, const NetworkEdge& y) {
        return x.a != y.a ? x.a < y.a : x.b < y.b;
    });
    return edges;
}

}  // namespace kelvane
