// The two-phase comparison of a partial locus genotype (q copies observed) with a fuller one (p
// copies): the mean, over every ordered choice of the p - q missing copies from a list of
// candidate copies (repetition allowed), of the best matching sum of the filled genotype against
// the fuller one. Genome addition draws the candidates from the partial genotype's own copies,
// genome loss from the fuller genotype's.
//
// The choices are not enumerated one by one. Equal choices up to order give one filled multiset,
// counted by its multinomial number of orders (times the multiplicity of each candidate value),
// and the multisets are visited as a tree, each level adding one copy of a candidate value at or
// after the previous one, so that every multiset shares the work of its prefix.
//
// Two facts keep that work small. With a step cost that is 0 for no steps, never falls and rises
// by ever smaller amounts (1 - base^-steps), a copy equal to a copy of the other genotype pairs
// with it in some best matching (the argument of two_phase_matching.cpp). So the observed copies
// that the fuller genotype holds too are paired before anything else, and a filled copy equal to
// a copy of the fuller genotype not yet paired takes it: it costs nothing and leaves a smaller
// problem. Only the other filled copies (excess copies) need a search, a recursion over the
// subsets of the fuller genotype's copies: the best sum of the observed and excess copies against
// each subset comes from the sums of one copy fewer in O(p) per subset. Genome loss, whose
// candidates are the fuller genotype's own copies, then mostly pairs; a tetraploid with two
// copies missing costs a few dozen additions, where the list of choices needs 16 matchings.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/distance/matching/two_phase_costs.hpp"

namespace kelvane {

// The most copies a fuller genotype may have for the fillings: the recursion keeps a value per
// subset of its copies and number of excess copies.
inline constexpr int kFillingCopyLimit = 12;

// Genome loss (and the combination, which takes it) draws the missing copies from the fuller
// genotype's p copies: the multisets of p - q of them number C(2p - q - 1, p - q), 705,432 for
// p = 12 and q = 1, about a quarter of a second per pair and locus. Above this many copies the
// treatments are refused rather than left to run for hours; at 10 a pair costs milliseconds.
inline constexpr int kLossCopyLimit = 10;

struct SubsetsBySize;

// Keeps scratch space between calls: one per worker.
class PartialFillings {
  public:
    explicit PartialFillings(const TwoPhaseCosts& costs);

    // The mean sum over the fillings of the partial genotype, in two steps so that several lists
    // of candidates share the first. partial: the q present copies of the partial genotype;
    // full: the p present copies of the fuller one (q < p <= kFillingCopyLimit), both in
    // descending order; candidates: the copies the missing ones are drawn from, in descending
    // order, each copy one choice (a value held twice is twice as likely). The mean sum is not
    // yet divided by p.
    void compare(std::span<const int32_t> partial, std::span<const int32_t> full);
    double mean_over(std::span<const int32_t> candidates);

  private:
    double descend(int depth, int excess, uint32_t open, std::size_t first_value, int run,
                   double weight);
    const double* value_costs(std::size_t value);
    double cost(int32_t a, int32_t b) const {
        const int64_t d = int64_t{a} - b;
        const int64_t steps = d < 0 ? -d : d;
        return steps < kept_steps_ ? kept_costs_[steps] : costs_->step_cost(steps);
    }

    const TwoPhaseCosts* costs_;
    const double* kept_costs_;  // the costs of the steps kept, 0 to kept_steps_ - 1
    int64_t kept_steps_;
    const SubsetsBySize* subsets_;
    int p_ = 0;  // the copies left of the fuller genotype once equal ones are paired
    int q_ = 0;  // and of the partial one
    std::array<int32_t, kFillingCopyLimit> partial_rest_{};
    std::array<int32_t, kFillingCopyLimit> full_rest_{};
    // The distinct candidate values, how many candidates hold each, their costs against each
    // copy left of the fuller genotype and those of its copies equal to them.
    std::size_t n_values_ = 0;
    std::array<int32_t, kFillingCopyLimit> values_{};
    std::array<double, kFillingCopyLimit> multiplicities_{};
    std::array<double, kFillingCopyLimit * kFillingCopyLimit> value_costs_{};
    std::array<uint32_t, kFillingCopyLimit> equal_copies_{};
    uint32_t costs_known_ = 0;  // the values whose costs are computed
    // [excess copies][subset]: the best sums of the observed and excess copies against subsets.
    std::vector<double> best_;
};

}  // namespace kelvane
