// The bootstrap tests of every pair of populations for differences in diversity, as the command
// and the report show them.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"

namespace marsyl {

// population_a, population_b, then p_greater_X and p_smaller_X for every index X: the one-sided
// p-values of "A's index is greater than B's" (the share of replicates whose centred difference
// reaches the observed one, small when A's is greater) and of "A's is smaller"; the pairs in the
// dialogue's order (each population against those before it) with its order of draws.
clonal::ResultTable bootstrap_table(const clonal::ClonalData& data, int32_t permutations,
                                    clonal::Random& random,
                                    const clonal::ProgressReport& progress = {});

}  // namespace marsyl
