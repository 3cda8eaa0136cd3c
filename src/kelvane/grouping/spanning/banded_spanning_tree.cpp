// The spanning tree of a graph given band by band.
#include "kelvane/grouping/spanning/banded_spanning_tree.hpp"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "common/core/worker_pool.hpp"
#include "kelvane/grouping/union_find.hpp"

namespace kelvane {
namespace {

// Prim's algorithm on a graph of count vertices whose dense weights come from weight(u, v) where
// dense(u, v) is true, and from the sparse edges otherwise (absent edges are not edges).
// Vertices are local (0 to count - 1); global(u) maps them back.
template <class Dense, class Weight, class Global>
void prim(int count, Dense dense, Weight weight,
          const std::vector<std::vector<std::pair<int, int32_t>>>& sparse, Global global,
          std::vector<TreeEdge>& out) {
    constexpr int64_t kNone = std::numeric_limits<int64_t>::max();
    std::vector<int64_t> key(static_cast<std::size_t>(count), kNone);
    std::vector<int> from(static_cast<std::size_t>(count), -1);
    std::vector<bool> in(static_cast<std::size_t>(count), false);
    int u = 0;
    for (int added = 1; added <= count; ++added) {
        in[static_cast<std::size_t>(u)] = true;
        if (from[static_cast<std::size_t>(u)] >= 0) {
            out.push_back({static_cast<int32_t>(key[static_cast<std::size_t>(u)]),
                           global(from[static_cast<std::size_t>(u)]), global(u)});
        }
        for (const auto& [v, w] : sparse[static_cast<std::size_t>(u)]) {
            if (!in[static_cast<std::size_t>(v)] && w < key[static_cast<std::size_t>(v)]) {
                key[static_cast<std::size_t>(v)] = w;
                from[static_cast<std::size_t>(v)] = u;
            }
        }
        int next = -1;
        for (int v = 0; v < count; ++v) {
            if (in[static_cast<std::size_t>(v)]) {
                continue;
            }
            if (dense(u, v)) {
                const int32_t w = weight(u, v);
                if (w < key[static_cast<std::size_t>(v)]) {
                    key[static_cast<std::size_t>(v)] = w;
                    from[static_cast<std::size_t>(v)] = u;
                }
            }
            if (next < 0 ||
                key[static_cast<std::size_t>(v)] < key[static_cast<std::size_t>(next)]) {
                next = v;
            }
        }
        if (next < 0) {
            return;
        }
        u = next;
    }
}

}  // namespace

BandedSpanningTree::BandedSpanningTree(int n, int threads) : n_(n), threads_(threads) {}

void BandedSpanningTree::add_band(const DistanceMatrix& band) {
    const int first = band.first_row();
    const int end = std::min(band.end_row(), n_);
    if (first >= end) {
        return;
    }
    Block block{first, end, {}};
    const int m = end - first;
    const std::vector<std::vector<std::pair<int, int32_t>>> none(static_cast<std::size_t>(m));
    // The block's own tree, from its pairs inside the band.
    prim(
        m, [](int, int) { return true; },
        [&](int u, int v) { return band.at(first + std::max(u, v), first + std::min(u, v)); }, none,
        [&](int u) { return first + u; }, block.tree);
    candidates_.insert(candidates_.end(), block.tree.begin(), block.tree.end());
    // Each earlier block with this one: their trees and the pairs between them, the pairs of
    // blocks on the workers, their candidates kept in the order of the blocks.
    std::vector<std::vector<TreeEdge>> found(blocks_.size());
    clonal::for_each_index(blocks_.size(), threads_, [&](std::size_t index) {
        const Block& earlier = blocks_[index];
        const int ma = earlier.end - earlier.first;
        const int count = ma + m;
        const auto local = [&](int vertex) {
            return vertex < end && vertex >= first ? ma + (vertex - first) : vertex - earlier.first;
        };
        std::vector<std::vector<std::pair<int, int32_t>>> trees(static_cast<std::size_t>(count));
        for (const std::vector<TreeEdge>* tree :
             std::initializer_list<const std::vector<TreeEdge>*>{&earlier.tree, &block.tree}) {
            for (const TreeEdge& edge : *tree) {
                trees[static_cast<std::size_t>(local(edge.a))].push_back(
                    {local(edge.b), edge.weight});
                trees[static_cast<std::size_t>(local(edge.b))].push_back(
                    {local(edge.a), edge.weight});
            }
        }
        prim(
            count, [ma](int u, int v) { return (u < ma) != (v < ma); },
            [&](int u, int v) {
                const int a = std::min(u, v);  // in the earlier block
                const int b = std::max(u, v);
                return band.at(first + (b - ma), earlier.first + a);
            },
            trees, [&](int u) { return u < ma ? earlier.first + u : first + (u - ma); },
            found[index]);
    });
    for (const std::vector<TreeEdge>& edges : found) {
        candidates_.insert(candidates_.end(), edges.begin(), edges.end());
    }
    blocks_.push_back(std::move(block));
}

std::vector<TreeEdge> BandedSpanningTree::edges() const {
    std::vector<TreeEdge> sorted = candidates_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TreeEdge& x, const TreeEdge& y) { return x.weight < y.weight; });
    UnionFind joined(n_);
    std::vector<TreeEdge> tree;
    for (const TreeEdge& edge : sorted) {
        if (joined.join(edge.a, edge.b)) {
            tree.push_back(edge);
        }
    }
    return tree;
}

}  // namespace kelvane
