// The two-phase comparison of a partial locus genotype (q copies observed) with a fuller one (p
// copies): the mean, over every ordered choice of the p - q missing copies from a list of
// candidate copies (repetition allowed), of the best matching sum of the filled genotype against
// the fuller one. Genome addition draws the candidates from the partial genotype's own copies,
// genome loss from the fuller genotype's.
//
// The choices are not enumerated one by one. Equal choices up to order give one filled multiset,
// counted by its multinomial number of orders (times the multiplicity of each candidate value);
// the multisets are visited as a tree, each level adding one copy of a candidate value at or
// after the previous one, and the best matchings are built along the tree by a recursion over
// the subsets of the fuller genotype's copies: the best sum of the observed copies and the first
// j filled ones against each subset of j + q copies comes from the level above in O(p) per
// subset. A tetraploid with two copies missing then costs a few dozen additions, where the list
// of choices would need 16 matchings; every multiset shares the work of its prefix.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/distance/matching/two_phase_costs.hpp"

namespace kelvane {

// The most copies a fuller genotype may have for the fillings: the recursion keeps a value per
// subset of its copies and level.
inline constexpr int kFillingCopyLimit = 12;

// Keeps scratch space between calls: one per worker.
class PartialFillings {
  public:
    explicit PartialFillings(const TwoPhaseCosts& costs) : costs_(&costs) {}

    // partial: the q present copies of the partial genotype; full: the p present copies of the
    // fuller one (q < p <= kFillingCopyLimit); candidates: the copies the missing ones are drawn
    // from, each copy one choice (a value held twice is twice as likely). The mean sum is not yet
    // divided by p.
    double mean_filled_sum(std::span<const int32_t> partial, std::span<const int32_t> full,
                           std::span<const int32_t> candidates);

  private:
    void descend(int level, std::size_t first_value, int run, double weight);
    double cost(int32_t a, int32_t b) const {
        const int64_t d = int64_t{a} - b;
        return costs_->step_cost(d < 0 ? -d : d);
    }

    const TwoPhaseCosts* costs_;
    int p_ = 0;
    int q_ = 0;
    std::vector<int32_t> values_;                       // the distinct candidate values
    std::vector<double> multiplicities_;                // how many candidates hold each
    std::vector<double> value_costs_;                   // [value][copy of the fuller genotype]
    std::vector<std::vector<uint32_t>> masks_by_size_;  // subsets of the p copies by size
    std::vector<double> best_;                          // [level][subset]: the best sums
    double total_ = 0.0;
};

}  // namespace kelvane
