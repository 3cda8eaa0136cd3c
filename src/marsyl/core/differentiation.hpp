// The permutation test of two populations for a difference in genotype composition.
#pragma once

#include <cstdint>
#include <functional>

#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "marsyl/core/g_statistic.hpp"

namespace marsyl {

// Called with the observed G first, then with every permuted G in order.
using GObserver = std::function<void(double g)>;

// The share of the permutations, the observed data counted as one of them, whose G reaches the
// observed G: (count + 1) / permutations after permutations - 1 random reassignments.
double differentiation_p_value(PairGStatistic& pair, int32_t permutations, clonal::Random& random,
                               const GObserver& each = {},
                               const clonal::ProgressReport& progress = {});

}  // namespace marsyl
