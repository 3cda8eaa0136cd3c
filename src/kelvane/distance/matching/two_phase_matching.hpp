// The best matching of two individuals' allele copies at one locus under the two-phase costs: the
// table of copy costs, looked up by step count, and its best row-order sum, with equal copies
// matched before any search wherever that cannot change the sum.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/distance/matching/best_matching.hpp"
#include "kelvane/distance/matching/matching_lanes.hpp"
#include "kelvane/distance/matching/two_phase_costs.hpp"

namespace kelvane {

// Keeps scratch space between calls: one per worker.
class TwoPhaseMatching {
  public:
    // most_copies: the largest copy count of any pair; largest_steps: the largest number of steps
    // between two present copies of the data set.
    TwoPhaseMatching(const TwoPhaseCosts& costs, int most_copies, int64_t largest_steps);

    // The smallest row-order sum over all matchings of the first copy_count copies of both
    // genotypes (copies in descending order, 0 for a missing one), bit for bit what
    // enumerated_sum gives.
    double best_sum(std::span<const int32_t> first, std::span<const int32_t> second,
                    int copy_count);

    // sums[j] += best_sum(first, second_j, counts[j]) for every j < n, second_j being the
    // genotype at seconds + j * stride: the pairs of complete genotypes several at a time in
    // vector lanes, the others one by one, with the same values.
    void add_best_sums(std::span<const int32_t> first, const int32_t* seconds, std::size_t stride,
                       std::size_t n, const int32_t* counts, double* sums);

    // The same by trying every matching (enumerated_matching_sum of the whole table).
    double enumerated_sum(std::span<const int32_t> first, std::span<const int32_t> second,
                          int copy_count);

  private:
    bool equal_copies_pair_first(std::span<const int32_t> present_first,
                                 std::span<const int32_t> present_second, int copy_count) const;
    void drop_equal_copies(std::span<const int32_t>& present_first,
                           std::span<const int32_t>& present_second);
    CostTable fill_table(std::span<const int32_t> present_first,
                         std::span<const int32_t> present_second, int k);
    CostTable fill_any_table(std::span<const int32_t> first, std::span<const int32_t> second,
                             int k);

    void flush_lanes(std::span<const int32_t> first, double* sums);

    const TwoPhaseCosts* costs_;
    // Whether every step count of the data set has its cost kept (looked up, not computed).
    bool all_steps_kept_ = false;
    // Tables whose present copies lie at most this many steps apart (and whose missing copies,
    // if any, have a cost that adds exactly) let equal copies pair first; -1 when none do.
    int64_t equal_pairs_steps_ = -1;
    bool missing_adds_exactly_ = false;
    std::vector<int32_t> first_rest_;
    std::vector<int32_t> second_rest_;
    std::vector<double> table_;
    BestMatching matching_;
    // The pairs waiting for the lanes: their copy count, genotypes and places in the sums.
    int lane_copies_ = 0;
    std::size_t lanes_used_ = 0;
    std::array<const int32_t*, kMatchingLanes> lane_seconds_{};
    std::array<std::size_t, kMatchingLanes> lane_places_{};
};

}  // namespace kelvane
