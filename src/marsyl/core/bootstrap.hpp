// The bootstrap test for differences in clonal diversity between two populations: both samples
// are redrawn with replacement at their own sizes, and the difference of each index between
// the redrawn samples, centred on the observed difference, is compared with the observed one.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "marsyl/core/diversity_indices.hpp"

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

// The indices of the two samples and their difference: of the observed samples, or of one
// replicate's redrawn samples with the difference centred on the observed one.
struct BootstrapValues {
    IndexSet a;
    IndexSet b;
    IndexSet difference;
};

// One replicate: N_A draws from a, then N_B draws from b, one uniform number each.
BootstrapValues bootstrap_resample(std::span<const int32_t> a, std::span<const int32_t> b,
                                   const IndexSet& observed_difference, clonal::Random& random,
                                   BootstrapWorkspace& workspace);

// Called with the observed values first, then with those of every replicate in order.
using BootstrapObserver = std::function<void(const BootstrapValues& values)>;

// Tests one pair with permutations - 1 replicates (the observed data are the remaining one).
BootstrapPValues bootstrap_pair(std::span<const int32_t> a, std::span<const int32_t> b,
                                int32_t permutations, clonal::Random& random,
                                const BootstrapObserver& each = {},
                                const clonal::ProgressReport& progress = {});

}  // namespace marsyl
