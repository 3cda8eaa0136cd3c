// Disjoint sets of items 0 to n - 1 that are joined step by step: the components of a graph as
// its edges are added.
#pragma once

#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

namespace kelvane {

class UnionFind {
  public:
    explicit UnionFind(int n)
        : parent_(static_cast<std::size_t>(n)), size_(static_cast<std::size_t>(n), 1) {
        std::iota(parent_.begin(), parent_.end(), 0);
    }

    int find(int x) {
        while (parent_[static_cast<std::size_t>(x)] != x) {
            int& up = parent_[static_cast<std::size_t>(x)];
            up = parent_[static_cast<std::size_t>(up)];
            x = up;
        }
        return x;
    }

    // False when a and b were joined already.
    bool join(int a, int b) {
        int ra = find(a);
        int rb = find(b);
        if (ra == rb) {
            return false;
        }
        if (size_[static_cast<std::size_t>(ra)] < size_[static_cast<std::size_t>(rb)]) {
            std::swap(ra, rb);
        }
        parent_[static_cast<std::size_t>(rb)] = ra;
        size_[static_cast<std::size_t>(ra)] += size_[static_cast<std::size_t>(rb)];
        return true;
    }

  private:
    std::vector<int> parent_;
    std::vector<int> size_;
};

}  // namespace kelvane
