// Menu choice 2: the bootstrap test of every pair of populations for differences in clonal
// diversity, with its table of p-values in the report.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

void bootstrap_test(MarsylRun& run);

}  // namespace marsyl::dialogue
