// The menu's other choices that work on the loaded data: the FSTAT export (choice 6) and the
// user's own seeds (choice 8), which make every later analysis reproducible.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

// Writes the clonal data set as an FSTAT data file under a name the user gives.
void write_fstat_file(MarsylRun& run);

// Sets the generator's seeds to the user's, records them in the report and stops reseeding from
// the clock.
void set_seeds(MarsylRun& run);

}  // namespace marsyl::dialogue
