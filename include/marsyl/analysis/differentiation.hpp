// The permutation test of every pair of populations for a difference in genotype composition:
// the G statistic of the pair's table of genotype counts, against its value after random
// reassignments of the individuals; p is the share of the permutations (the observed data
// counted as one) whose G reaches the observed one.
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
#include "marsyl/core/differentiation.hpp"

namespace marsyl::analysis {

struct DifferentiationSettings {
    int32_t permutations = 1000;  // 1 or more, the observed data counted as one
};

struct DifferentiationPair {
    int32_t a = 0;  // populations, numbered from 1; b < a
    int32_t b = 0;
    double p = 0.0;
};

struct DifferentiationResult {
    int32_t permutations = 0;
    std::vector<DifferentiationPair> pairs;  // in the order of the tests
};

// Who watches the tests, each told in turn: as a pair starts, its observed G and then every
// permuted one, the pair's p-value once done; and the progress over all pairs.
struct DifferentiationWatch {
    PairStarted started;
    GObserver each_value;
    std::function<void(const DifferentiationPair& pair)> done;
    clonal::ProgressReport progress;
};

// The pairs in order, the draws of each from random in turn.
DifferentiationResult differentiation(const clonal::ClonalData& data,
                                      const DifferentiationSettings& settings,
                                      clonal::Random& random,
                                      const DifferentiationWatch& watch = {});

// population_a, population_b, p (NA for a pair with an empty population).
// With an adjustment, each p-value column is followed by its correction over all the pairs
// (name + "_adjusted").
clonal::ResultTable differentiation_table(
    const clonal::ClonalData& data, const DifferentiationResult& result,
    clonal::PAdjustment adjustment = clonal::PAdjustment::kNone);

}  // namespace marsyl::analysis
