// The bootstrap test for differences in clonal diversity between two populations: both samples
// are redrawn with replacement at their own sizes, and the difference of each index between
// the redrawn samples, centred on the observed difference, is compared with the observed one.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "diversity_indices.hpp"
#include "random.hpp"

namespace marsyl {

struct BootstrapPValues {
    IndexSet at_least;  // p(A>=B) of each index
    IndexSet at_most;   // p(A<=B) of each index
};

// The buffers of one pair, kept from one replicate to the next.
struct BootstrapWorkspace {
    IndexCalculator calculator;
    std::vector<int32_t> sample_a;
    std::vector<int32_t> sample_b;
};

// One replicate: N_A draws from a, then N_B draws from b, one uniform number each; returns the
// differences of the redrawn samples' indices less the observed differences. With a
// permutations file, writes the line of the redrawn indices and centred differences to it.
IndexSet bootstrap_resample(std::span<const int32_t> a, std::span<const int32_t> b,
                            const IndexSet& observed_difference, clonal::Random& random,
                            BootstrapWorkspace& workspace, std::ostream* permutations);

// Tests one pair with permutations - 1 replicates (the observed data are the remaining one);
// with a permutations file, writes the observed line and every replicate's line to it.
BootstrapPValues bootstrap_pair(std::span<const int32_t> a, std::span<const int32_t> b,
                                int32_t permutations, clonal::Random& random,
                                std::ostream* permutations_file);

}  // namespace marsyl
