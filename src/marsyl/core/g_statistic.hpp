// The log-likelihood ratio statistic G of the genotype counts of two samples against their
// pooled frequencies (natural logarithm; half the usual G-test value), and its value for random
// reassignments of the pooled individuals to the two samples.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/core/random.hpp"

namespace marsyl {

// Holds one pair of samples for any number of evaluations. The formula sums over every
// genotype number from 0 to the largest; genotypes in neither sample add no term, so the
// genotypes of the pair are numbered once in increasing order and only those are visited, in
// that order, first the term of A then that of B, as the full sum takes them.
class PairGStatistic {
  public:
    PairGStatistic(std::span<const int32_t> a, std::span<const int32_t> b);

    double observed();

    // The statistic after shuffling the pooled individuals, A's in stored order followed by
    // B's: the first N_A of the shuffled sample against the rest. Each call starts again from
    // the stored order.
    double permuted(clonal::Random& random);

  private:
    double statistic(std::span<const int32_t> pooled);

    int32_t size_a_;
    int32_t size_b_;
    std::vector<int32_t> stored_;  // the number of each individual's genotype within the pair
    std::vector<int32_t> pooled_;
    std::vector<int32_t> count_a_;
    std::vector<int32_t> count_b_;
};

double g_statistic(std::span<const int32_t> a, std::span<const int32_t> b);

}  // namespace marsyl
