// Menu choice 1: the table of clonal diversity indices of every population and, for more than
// one population, the partitioning of diversity, on the console and in the report.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

void clonal_diversity_table(MarsylRun& run);

}  // namespace marsyl::dialogue
