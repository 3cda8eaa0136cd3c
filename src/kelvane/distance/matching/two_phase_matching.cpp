// The two-phase matching of two genotypes' copies.
//
// Why equal copies may pair first: let copy x of the first individual and copy y of the second
// hold the same value v. A matching that gives y' to x and y to another copy x' does at least as
// well with x on y (cost 0) and x' on y', as long as
//     cost(x', y') <= cost(x', y) + cost(x, y').
// With a missing copy among x', y' the left side is the missing cost, and so is one term on the
// right. For present copies, s steps from x' to v and t from v to y', the left side is g(u) for
// some u <= s + t. It holds when the step cost g is 0 for no steps, never falls and rises by
// ever smaller amounts (is concave) up to the largest step count D of the table: if s + t <= D,
// g(u) <= g(s + t) <= g(s) + g(t); otherwise g(u) <= g(D) <= g(s) + g(D - s) <= g(s) + g(t). So
// some best matching pairs equal copies, and the best sum is that of the table without them.
//
// That argument is about exact sums. It carries over to the row-order sums in double precision
// when every cost of the table adds exactly (adds_exactly): then each matching's row-order sum is
// its exact sum, in whatever order its rows come. The step costs are examined once, here, for
// both conditions; those of base 2 pass up to about 50 steps.
#include "kelvane/distance/matching/two_phase_matching.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace kelvane {
namespace {

// From this many copies on, matching equal copies first saves more search than it costs.
constexpr int kEqualPairsFrom = 7;

// Step costs are examined up to this many steps at most.
constexpr int64_t kExaminedSteps = int64_t{1} << 16;

// The largest step count D such that the costs of 0 to D steps add exactly in tables of `copies`
// copies, start at 0, never fall and rise by ever smaller amounts; -1 when there is none.
int64_t equal_pairs_steps(const TwoPhaseCosts& costs, int copies, int64_t largest_steps) {
    if (copies < 3 || costs.step_cost(0) != 0.0) {
        return -1;
    }
    const int64_t last = std::min(largest_steps, kExaminedSteps);
    double previous_rise = std::numeric_limits<double>::infinity();
    for (int64_t steps = 1; steps <= last; ++steps) {
        const double cost = costs.step_cost(steps);
        // Exact: both costs add exactly, so their difference is exact too.
        const double rise = cost - costs.step_cost(steps - 1);
        if (!adds_exactly(cost, copies) || rise < 0.0 || rise > previous_rise) {
            return steps - 1;
        }
        previous_rise = rise;
    }
    return last;
}

}  // namespace

TwoPhaseMatching::TwoPhaseMatching(const TwoPhaseCosts& costs, int most_copies,
                                   int64_t largest_steps)
    : costs_(&costs),
      all_steps_kept_(largest_steps < static_cast<int64_t>(costs.kept_step_costs().size())),
      equal_pairs_steps_(equal_pairs_steps(costs, most_copies, largest_steps)),
      missing_adds_exactly_(most_copies >= 3 && adds_exactly(costs.missing_cost(), most_copies)) {}

double TwoPhaseMatching::best_sum(std::span<const int32_t> first, std::span<const int32_t> second,
                                  int copy_count) {
    const auto k = static_cast<std::size_t>(copy_count);
    // Allele codes of 0 or more leave the missing copies last (the copies are descending): the
    // tables of such genotypes are filled without testing every entry for a missing copy, which
    // pays from three copies on.
    if (k < 3 || first[k - 1] < 0 || second[k - 1] < 0) {
        return matching_.sum(fill_any_table(first, second, copy_count), copy_count);
    }
    const auto present = [k](std::span<const int32_t> copies) {
        std::size_t count = 0;
        for (std::size_t c = 0; c < k; ++c) {
            count += copies[c] != 0 ? 1 : 0;
        }
        return copies.first(count);
    };
    std::span<const int32_t> present_first = present(first);
    std::span<const int32_t> present_second = present(second);
    int size = copy_count;
    if (copy_count >= kEqualPairsFrom &&
        equal_copies_pair_first(present_first, present_second, copy_count)) {
        const std::size_t before = present_first.size();
        drop_equal_copies(present_first, present_second);
        size -= static_cast<int>(before - present_first.size());
    }
    return matching_.sum(fill_table(present_first, present_second, size), size);
}

// The lanes take what best_sum would give to the programme over sets of columns (or the rule for
// two copies, which the programme reproduces) from a table of kept costs.
bool TwoPhaseMatching::in_lanes(const int32_t* first, const int32_t* second, int copy_count) const {
    static_assert(kLaneCopiesTo < kEqualPairsFrom, "no copy count of the lanes drops equal copies");
    return copy_count >= kLaneCopiesFrom && copy_count <= kLaneCopiesTo && all_steps_kept_ &&
           first[copy_count - 1] > 0 && second[copy_count - 1] > 0;
}

void TwoPhaseMatching::match_lanes(const int32_t* first) {
    for (std::size_t l = lanes_used_; l < kMatchingLanes; ++l) {
        lane_seconds_[l] = lane_seconds_[lanes_used_ - 1];
    }
    lane_matching_sums(lane_copies_, first, lane_seconds_.data(), costs_->kept_step_costs().data(),
                       lane_sums_.data());
}

double TwoPhaseMatching::enumerated_sum(std::span<const int32_t> first,
                                        std::span<const int32_t> second, int copy_count) {
    return enumerated_matching_sum(fill_any_table(first, second, copy_count), copy_count);
}

// Whether the whole table's costs pass the conditions under which equal copies pair first.
bool TwoPhaseMatching::equal_copies_pair_first(std::span<const int32_t> present_first,
                                               std::span<const int32_t> present_second,
                                               int copy_count) const {
    const auto k = static_cast<std::size_t>(copy_count);
    const bool missing = present_first.size() < k || present_second.size() < k;
    if (equal_pairs_steps_ < 0 || (missing && !missing_adds_exactly_)) {
        return false;
    }
    if (present_first.empty() || present_second.empty()) {
        return true;  // no two present copies meet: every cost is the missing one
    }
    const int64_t apart = std::max<int64_t>(int64_t{present_first.front()} - present_second.back(),
                                            int64_t{present_second.front()} - present_first.back());
    return apart <= equal_pairs_steps_;
}

// Takes the pairs of equal values out of both lists of present copies (descending), which then
// refer to first_rest_ and second_rest_. The two lists are walked together; which of them moves
// on is computed from the sign of the difference, not branched on (the branches would be
// mispredicted about every other step).
void TwoPhaseMatching::drop_equal_copies(std::span<const int32_t>& present_first,
                                         std::span<const int32_t>& present_second) {
    const int32_t* first = present_first.data();
    const int32_t* second = present_second.data();
    const std::size_t first_size = present_first.size();
    const std::size_t second_size = present_second.size();
    first_rest_.resize(first_size);
    second_rest_.resize(second_size);
    int32_t* first_rest = first_rest_.data();
    int32_t* second_rest = second_rest_.data();
    std::size_t x = 0;
    std::size_t y = 0;
    std::size_t first_left = 0;
    std::size_t second_left = 0;
    while (x < first_size && y < second_size) {
        const int64_t difference = int64_t{first[x]} - second[y];
        const auto below = static_cast<std::size_t>(static_cast<uint64_t>(difference) >> 63);
        const auto above = static_cast<std::size_t>(static_cast<uint64_t>(-difference) >> 63);
        first_rest[first_left] = first[x];
        second_rest[second_left] = second[y];
        first_left += above;
        second_left += below;
        x += 1 - below;
        y += 1 - above;
    }
    for (; x < first_size; ++x) {
        first_rest[first_left++] = first[x];
    }
    for (; y < second_size; ++y) {
        second_rest[second_left++] = second[y];
    }
    present_first = std::span<const int32_t>(first_rest_).first(first_left);
    present_second = std::span<const int32_t>(second_rest_).first(second_left);
}

// The k by k table of the present copies given, each side filled up to k with missing copies.
CostTable TwoPhaseMatching::fill_table(std::span<const int32_t> present_first,
                                       std::span<const int32_t> present_second, int k) {
    const auto size = static_cast<std::size_t>(k);
    table_.resize(size * size);
    const double missing = costs_->missing_cost();
    const std::size_t columns = present_second.size();
    const auto fill_rows = [&](auto cost_of_steps) {
        for (std::size_t x = 0; x < present_first.size(); ++x) {
            double* row = table_.data() + x * size;
            const int64_t a = present_first[x];
            for (std::size_t y = 0; y < columns; ++y) {
                const int64_t difference = a - present_second[y];
                row[y] = cost_of_steps(difference < 0 ? -difference : difference);
            }
            std::fill(row + columns, row + size, missing);
        }
    };
    if (all_steps_kept_) {
        const double* kept = costs_->kept_step_costs().data();
        fill_rows([kept](int64_t steps) { return kept[steps]; });
    } else {
        fill_rows([this](int64_t steps) { return costs_->step_cost(steps); });
    }
    std::fill(table_.begin() + static_cast<std::ptrdiff_t>(present_first.size() * size),
              table_.end(), missing);
    return {table_, k};
}

// The table of any genotypes, a missing copy wherever a 0 stands.
CostTable TwoPhaseMatching::fill_any_table(std::span<const int32_t> first,
                                           std::span<const int32_t> second, int k) {
    const auto size = static_cast<std::size_t>(k);
    table_.resize(size * size);
    for (std::size_t x = 0; x < size; ++x) {
        for (std::size_t y = 0; y < size; ++y) {
            const int64_t a = first[x];
            const int64_t b = second[y];
            table_[x * size + y] = (a == 0 || b == 0) ? costs_->missing_cost()
                                                      : costs_->step_cost(a > b ? a - b : b - a);
        }
    }
    return {table_, k};
}

}  // namespace kelvane
