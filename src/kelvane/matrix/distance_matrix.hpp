// The distance matrix: one 32-bit distance for every ordered pair of individuals, held in one
// contiguous block, row by row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

#include "common/core/large_array.hpp"

namespace kelvane {

class DistanceMatrix {
  public:
    // n rows of n zeros; a matrix that cannot be allocated ends the run with its message.
    explicit DistanceMatrix(int n);

    // A band of the n x n matrix: the rows first_row to end_row - 1 only, so that the distances
    // of many individuals can be computed a band at a time. The distance models fill the pairs
    // (i, j < i) of its rows; the cells above the diagonal are left as they are.
    DistanceMatrix(int n, int first_row, int end_row);

    // A band whose cells start undefined, for distances computed into it (the models write every
    // pair (i, j < i) of its rows, the only cells a band's reader reads): no time spent clearing
    // a store of hundreds of megabytes, which is asked for in huge pages.
    static DistanceMatrix band_store(int n, int first_row, int end_row);

    // The same store as the band of rows first_row to end_row - 1, for computing bands one after
    // another without allocating each: the cells keep what they held, the store grown (its new
    // cells undefined) only when the band is larger than any before.
    void reband(int first_row, int end_row);

    // The number of individuals (of columns).
    int size() const { return n_; }
    int first_row() const { return first_row_; }
    int end_row() const { return end_row_; }
    bool whole() const { return first_row_ == 0 && end_row_ == n_; }

    int32_t& at(int i, int j) { return cells_[index(i, j)]; }
    int32_t at(int i, int j) const { return cells_[index(i, j)]; }

    // Sets (i, j) and (j, i) to the same distance.
    void set_pair(int i, int j, int32_t distance) {
        at(i, j) = distance;
        at(j, i) = distance;
    }

    std::span<const int32_t> row(int i) const {
        return std::span<const int32_t>(cells_).subspan(index(i, 0), static_cast<std::size_t>(n_));
    }
    // The cells of the rows held, row by row.
    std::span<const int32_t> cells() const { return cells_; }

  private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i - first_row_) * static_cast<std::size_t>(n_) +
               static_cast<std::size_t>(j);
    }

    int n_;
    int first_row_ = 0;
    int end_row_ = 0;
    // Cells whose store is grown without clearing: set where they must start at 0.
    std::vector<int32_t, clonal::UndefinedAllocator<int32_t>> cells_;
};

// The distances of a whole matrix, every pair (i, j < i) at i * (i - 1) / 2 + j.
std::vector<double> lower_triangle(const DistanceMatrix& matrix);

}  // namespace kelvane
