// Menu choice 3: the permutation test of every pair of populations for a difference in genotype
// composition, as a lower-triangular table of p-values in the report.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

void differentiation_test(MarsylRun& run);

}  // namespace marsyl::dialogue
