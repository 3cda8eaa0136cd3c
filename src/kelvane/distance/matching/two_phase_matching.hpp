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

    // store(j, best_sum(first, second(j), count(j))) for every j < n, second(j) pointing to a
    // genotype's copies: the pairs of complete genotypes several at a time in vector lanes, the
    // others one by one, with the same values.
    template <class Second, class Count, class Store>
    void best_sums(std::span<const int32_t> first, std::size_t n, Second second, Count count,
                   Store store) {
        lanes_used_ = 0;
        const auto match = [&] {
            match_lanes(first.data());
            for (std::size_t l = 0; l < lanes_used_; ++l) {
                store(lane_places_[l], lane_sums_[l]);
            }
            lanes_used_ = 0;
        };
        for (std::size_t j = 0; j < n; ++j) {
            const int32_t k = count(j);
            const int32_t* copies = second(j);
            if (!in_lanes(first.data(), copies, k)) {
                store(j, best_sum(first, std::span(copies, static_cast<std::size_t>(k)), k));
                continue;
            }
            if (lanes_used_ > 0 && k != lane_copies_) {
                match();
            }
            lane_copies_ = k;
            lane_seconds_[lanes_used_] = copies;
            lane_places_[lanes_used_] = j;
            if (++lanes_used_ == kMatchingLanes) {
                match();
            }
        }
        if (lanes_used_ > 0) {
            match();
        }
    }

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

    bool in_lanes(const int32_t* first, const int32_t* second, int copy_count) const;
    // Matches the pairs waiting for the lanes into lane_sums_ (lanes left over repeat the last
    // pair).
    void match_lanes(const int32_t* first);

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
    std::array<double, kMatchingLanes> lane_sums_{};
};

}  // namespace kelvane
