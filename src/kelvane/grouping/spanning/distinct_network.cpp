// The minimum spanning network from the distinct genotypes' distances.
#include "kelvane/grouping/spanning/distinct_network.hpp"

#include <algorithm>
#include <limits>
#include <span>

namespace kelvane {

DistinctSpanningNetwork::DistinctSpanningNetwork(const DistinctGenotypes& distinct,
                                                 const Genotypes& genotypes, int32_t threshold,
                                                 const std::vector<TreeEdge>& tree,
                                                 const std::vector<int32_t>& own)
    : threshold_(threshold),
      parent_(static_cast<std::size_t>(distinct.count())),
      joined_at_(static_cast<std::size_t>(distinct.count()), 0),
      clonal_(static_cast<std::size_t>(distinct.count()), -1),
      apart_(static_cast<std::size_t>(distinct.count())) {
    const auto count = static_cast<std::size_t>(distinct.count());
    std::vector<int> rank(count, 0);
    for (std::size_t g = 0; g < count; ++g) {
        parent_[g] = static_cast<int>(g);
    }
    const auto root = [&](int g) {
        while (parent_[static_cast<std::size_t>(g)] != g) {
            g = parent_[static_cast<std::size_t>(g)];
        }
        return static_cast<std::size_t>(g);
    };
    // Edges join in increasing weight, so the weights met going up from a genotype increase.
    std::vector<int32_t> nearest(count, std::numeric_limits<int32_t>::max());
    for (const TreeEdge& edge : tree) {
        std::size_t a = root(edge.a);
        std::size_t b = root(edge.b);
        if (rank[a] < rank[b]) {
            std::swap(a, b);
        }
        parent_[b] = static_cast<int>(a);
        joined_at_[b] = edge.weight;
        rank[a] += rank[a] == rank[b] ? 1 : 0;
        heaviest_ = std::max(heaviest_, edge.weight);
        for (const int g : {edge.a, edge.b}) {
            nearest[static_cast<std::size_t>(g)] =
                std::min(nearest[static_cast<std::size_t>(g)], edge.weight);
        }
    }
    // The genotype of each distinct genotype's members; those of a twin that stays apart differ.
    std::vector<bool> split(count, false);
    for (std::size_t i = 0; i < distinct.of.size(); ++i) {
        const auto g = static_cast<std::size_t>(distinct.of[i]);
        const int32_t row = genotypes.numbers[i] - 1;
        split[g] = split[g] || (clonal_[g] >= 0 && clonal_[g] != row);
        clonal_[g] = clonal_[g] < 0 ? row : clonal_[g];
        apart_[g].push_back(row);
    }
    for (std::size_t g = 0; g < count; ++g) {
        if (!split[g]) {
            apart_[g].clear();
            apart_[g].shrink_to_fit();
            continue;
        }
        clonal_[g] = -1;
        // Two members apart are linked at their own distance unless another genotype lies closer.
        if (own[g] <= nearest[g]) {
            const std::vector<int32_t>& rows = apart_[g];
            for (std::size_t x = 0; x < rows.size(); ++x) {
                for (std::size_t y = x + 1; y < rows.size(); ++y) {
                    edges_.push_back({std::min(rows[x], rows[y]), std::max(rows[x], rows[y]),
                                      static_cast<double>(own[g])});
                }
            }
        }
    }
}

int DistinctSpanningNetwork::component_below(int g, int32_t below) const {
    while (parent_[static_cast<std::size_t>(g)] != g &&
           joined_at_[static_cast<std::size_t>(g)] < below) {
        g = parent_[static_cast<std::size_t>(g)];
    }
    return g;
}

void DistinctSpanningNetwork::add(int g, int h, int32_t distance) {
    const auto rows_of = [&](int k) {
        const auto index = static_cast<std::size_t>(k);
        return clonal_[index] >= 0 ? std::span<const int32_t>(&clonal_[index], 1)
                                   : std::span<const int32_t>(apart_[index]);
    };
    for (const int32_t a : rows_of(g)) {
        for (const int32_t b : rows_of(h)) {
            edges_.push_back({std::min(a, b), std::max(a, b), static_cast<double>(distance)});
        }
    }
    // Many pairs of distinct genotypes may give the same link: repeats are dropped as they grow.
    if (edges_.size() > 2 * compacted_ + (std::size_t{1} << 20)) {
        compact();
    }
}

void DistinctSpanningNetwork::add_band(const DistanceMatrix& band) {
    const int genotypes = static_cast<int>(clonal_.size());
    for (int i = band.first_row(); i < std::min(band.end_row(), genotypes); ++i) {
        const std::span<const int32_t> row = band.row(i);
        for (int j = 0; j < i; ++j) {
            const int32_t d = row[static_cast<std::size_t>(j)];
            if (d > threshold_ && d <= heaviest_ &&
                component_below(i, d) != component_below(j, d)) {
                add(i, j, d);
            }
        }
    }
}

void DistinctSpanningNetwork::compact() {
    std::sort(edges_.begin(), edges_.end(), [](const NetworkEdge& x, const NetworkEdge& y) {
        return x.a != y.a ? x.a < y.a : x.b < y.b;
    });
    edges_.erase(std::unique(edges_.begin(), edges_.end(),
                             [](const NetworkEdge& x, const NetworkEdge& y) {
                                 return x.a == y.a && x.b == y.b;
                             }),
                 edges_.end());
    compacted_ = edges_.size();
}

std::vector<NetworkEdge> DistinctSpanningNetwork::edges() {
    compact();
    return edges_;
}

}  // namespace kelvane
