// Binomial coefficients C(i, k) for every 0 <= k <= i <= n as doubles, for the sums over the
// dosages of a locus genotype (exact up to C(56, 28); 1000 keeps every value finite).
#pragma once

#include <cstddef>
#include <vector>

namespace kelvane {

inline constexpr int kLargestPascalRow = 1000;

class PascalTriangle {
  public:
    explicit PascalTriangle(int n)
        : size_(static_cast<std::size_t>(n) + 1), cells_(size_ * size_, 0.0) {
        for (std::size_t i = 0; i < size_; ++i) {
            cells_[i * size_] = 1.0;
            for (std::size_t k = 1; k <= i; ++k) {
                cells_[i * size_ + k] =
                    cells_[(i - 1) * size_ + k - 1] + cells_[(i - 1) * size_ + k];
            }
        }
    }

    int rows() const { return static_cast<int>(size_) - 1; }

    double operator()(int i, int k) const {
        return cells_[static_cast<std::size_t>(i) * size_ + static_cast<std::size_t>(k)];
    }

  private:
    std::size_t size_;
    std::vector<double> cells_;
};

}  // namespace kelvane
