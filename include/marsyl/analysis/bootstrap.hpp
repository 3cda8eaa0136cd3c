// The bootstrap test of every pair of populations for differences in each index of clonal
// diversity: one-sided p-values of "A's index is at least B's" and "at most B's", the share of
// the replicates (the observed data counted as one) whose centred difference reaches the
// observed one. The p-values have no unit.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/p_adjust.hpp"
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

// Who watches the tests, each told in turn: as a pair starts, its observed values and then every
// replicate's, the pair's p-values once done; and the progress over all pairs.
struct BootstrapWatch {
    PairStarted started;
    BootstrapObserver each_value;
    std::function<void(const BootstrapPair& pair)> done;
    clonal::ProgressReport progress;
};

// The pairs in order, the draws of each from random in turn.
BootstrapResult bootstrap(const clonal::ClonalData& data, const BootstrapSettings& settings,
                          clonal::Random& random, const BootstrapWatch& watch = {});

// population_a, population_b, then p_greater_X and p_smaller_X for every index X (NA for a pair
// with an empty population).
// With an adjustment, each p-value column is followed by its correction over all the pairs
// (name + "_adjusted").
clonal::ResultTable bootstrap_table(const clonal::ClonalData& data, const BootstrapResult& result,
                                    clonal::PAdjustment adjustment = clonal::PAdjustment::kNone);

}  // namespace marsyl::analysis
