// The bootstrap test of every pair of populations for differences in each index of clonal
// diversity: one-sided p-values of "A's index is at least B's" and "at most B's", the share of
// the replicates (the observed data counted as one) whose centred difference reaches the
// observed one. The p-values have no unit.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"
#include "marsyl/analysis/population_pairs.hpp"
#include "marsyl/core/bootstrap.hpp"

namespace marsyl::analysis {

struct BootstrapSettings {
    int32_t permutations = 1000;  // 1 or more, the observed data counted as one
};

struct BootstrapPair {
    int32_t a = 0;  // populations, numbered from 1; b < a
    int32_t b = 0;
    BootstrapPValues p;
};

struct BootstrapResult {
    int32_t permutations = 0;
    std::vector<BootstrapPair> pairs;  // in the order of the tests
};

// The pairs in order, the draws of each from random in turn. started and each_value (the
// observed values, then every replicate's) watch the work.
BootstrapResult bootstrap(const clonal::ClonalData& data, const BootstrapSettings& settings,
                          clonal::Random& random, const clonal::ProgressReport& progress = {},
                          const PairStarted& started = {},
                          const BootstrapObserver& each_value = {});

// population_a, population_b, then p_greater_X and p_smaller_X for every index X (NA for a pair
// with an empty population).
clonal::ResultTable bootstrap_table(const clonal::ClonalData& data, const BootstrapResult& result);

}  // namespace marsyl::analysis
