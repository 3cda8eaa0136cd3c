// The sums of pair distances an AMOVA needs, for the observed assignment of individuals to
// populations and for many permuted ones.
//
// Sums are defined as doubles accumulated pair by pair (rows ascending, within a row the earlier
// individuals ascending). When the absolute distances of all pairs add up to at most 2^53,
// every partial sum is an integer a double holds exactly, so integer arithmetic in any order
// gives bit-identical results; the fast paths rely on that and the defined order is kept
// otherwise.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The distances between the members of a sample (a subset of the individuals in input order).
// When every individual is a member they are read from the matrix, which must outlive this;
// otherwise the lower triangle of the members is packed row after row.
class SamplePairs {
  public:
    SamplePairs(const DistanceMatrix& matrix, std::span<const int> members);

    int size() const { return size_; }

    // The distances of member a to the members before it.
    std::span<const int32_t> row(int a) const {
        if (everyone_ != nullptr) {
            return everyone_->row(a).first(static_cast<std::size_t>(a));
        }
        return std::span<const int32_t>(cells_).subspan(row_start(a), static_cast<std::size_t>(a));
    }

    // True when integer sums of the distances equal the sums accumulated as doubles.
    bool exact() const { return exact_; }

    // The sum of all pair distances.
    double total() const { return total_; }

    // How many distances can be added in 32 bits without overflow.
    int block_length() const { return block_length_; }

  private:
    static std::size_t row_start(int a) {
        return static_cast<std::size_t>(a) * static_cast<std::size_t>(a > 0 ? a - 1 : 0) / 2;
    }

    int size_;
    const DistanceMatrix* everyone_ = nullptr;
    std::vector<int32_t> cells_;
    bool exact_ = true;
    double total_ = 0.0;
    int block_length_ = 1;
};

// Real pair values (squared Euclidean distances after a correction), held as the lower triangle
// of the members row after row; every sum of them is added in the defined order, in extended
// precision.
class RealPairs {
  public:
    RealPairs(std::vector<double> cells, int size);

    int size() const { return size_; }
    std::span<const double> row(int a) const {
        const auto start =
            static_cast<std::size_t>(a) * static_cast<std::size_t>(a > 0 ? a - 1 : 0) / 2;
        return std::span<const double>(cells_).subspan(start, static_cast<std::size_t>(a));
    }
    double total() const { return total_; }

  private:
    int size_;
    std::vector<double> cells_;
    double total_ = 0.0;
};

std::vector<double> within_sums(const RealPairs& pairs, std::span<const int32_t> groups,
                                int32_t group_count);
std::vector<std::vector<double>> permuted_within_sums(
    const RealPairs& pairs, std::span<const std::vector<int32_t>> assignments, int32_t group_count,
    int threads);

// The sum of the distances of the pairs within each group; groups holds each member's group
// index (0 to group_count - 1).
std::vector<double> within_sums(const SamplePairs& pairs, std::span<const int32_t> groups,
                                int32_t group_count);

// The same sums accumulated as doubles in the defined order, whatever the distances.
std::vector<double> within_sums_in_order(const SamplePairs& pairs, std::span<const int32_t> groups,
                                         int32_t group_count);

// The within sums of each assignment of the members to group_count groups, computed on up to
// threads workers (0: every core); the results do not depend on their number.
std::vector<std::vector<double>> permuted_within_sums(
    const SamplePairs& pairs, std::span<const std::vector<int32_t>> assignments,
    int32_t group_count, int threads);

// The sum of row[b] over the b whose groups[b] is group, added in 32-bit blocks of block_length
// distances (SamplePairs::block_length) so that no block overflows.
int64_t masked_row_sum(std::span<const int32_t> row, const int32_t* groups, int32_t group,
                       int block_length);

// Phi-st of each assignment of the members to the groups, the assignments being permutations of
// one another (same group sizes). Computed on up to threads workers (0: every core); the results
// do not depend on their number.
std::vector<double> permuted_phi_st(const SamplePairs& pairs,
                                    std::span<const std::vector<int32_t>> assignments,
                                    std::span<const int32_t> group_sizes, int threads);

}  // namespace kelvane
