// The permutation tests of every pair of populations for differentiation, as the command and the
// report show them.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"

namespace marsyl {

// population_a, population_b, p: the pairs in the dialogue's order (each population against
// those before it) with its order of draws.
clonal::ResultTable differentiation_table(const clonal::ClonalData& data, int32_t permutations,
                                          clonal::Random& random,
                                          const clonal::ProgressReport& progress = {});

}  // namespace marsyl
