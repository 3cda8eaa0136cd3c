// The simple AMOVA of a sample: the table of the observed assignment of individuals to
// populations, and the permutation test of its Phi-st.
#pragma once

#include <cstdint>
#include <functional>

#include "common/core/permutation_counts.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "kelvane/amova/amova_sample.hpp"
#include "kelvane/amova/amova_sums.hpp"
#include "kelvane/amova/amova_table.hpp"

namespace kelvane {

// The table of the sample's own assignment.
AmovaTable observed_amova(const SamplePairs& pairs, const AmovaSample& sample);

struct AmovaPermutationTest {
    int64_t permutations = 0;
    clonal::PermutationCounts counts;  // permuted Phi-st against the observed one

    // The share of the permutations and the observed data whose Phi-st reaches (or stays at
    // most at) the observed value.
    double p_greater() const { return counts.p_at_least(permutations + 1); }
    double p_smaller() const { return counts.p_at_most(permutations + 1); }
};

// Called with the number (from 1) and the Phi-st of each permutation, in order.
using PermutedValue = std::function<void(int64_t permutation, double phi_st)>;

// Shuffles the populations of the sample's members permutations times, each permutation
// shuffling the one before, with draws from random in that order; evaluates the drawn
// assignments on up to threads workers (0: every core) with results independent of their
// number.
AmovaPermutationTest amova_permutation_test(const SamplePairs& pairs, const AmovaSample& sample,
                                            double observed, int64_t permutations,
                                            clonal::Random& random, int threads = 0,
                                            const PermutedValue& each_value = {},
                                            const clonal::ProgressReport& progress = {});

}  // namespace kelvane
