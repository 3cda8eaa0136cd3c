// The permutation test of every pair of populations for a difference in genotype composition:
// the G statistic of the pair's table of genotype counts, against its value after random
// reassignments of the individuals; p is the share of the permutations (the observed data
// counted as one) whose G reaches the observed one.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"
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

// The pairs in order, the draws of each from random in turn. started and each_value (the
// observed G, then every permuted one) watch the work.
DifferentiationResult differentiation(const clonal::ClonalData& data,
                                      const DifferentiationSettings& settings,
                                      clonal::Random& random,
                                      const clonal::ProgressReport& progress = {},
                                      const PairStarted& started = {},
                                      const GObserver& each_value = {});

// population_a, population_b, p (NA for a pair with an empty population).
clonal::ResultTable differentiation_table(const clonal::ClonalData& data,
                                          const DifferentiationResult& result);

}  // namespace marsyl::analysis
