// Opening the files of a run, at its start and again at menu choice 7: the Clonal genotype file
// with its loading, then the report file with its header.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

void open_files(MarsylRun& run);

}  // namespace marsyl::dialogue
