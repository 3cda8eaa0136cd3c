// The question for the number of permutations of a resampling analysis and, for the two tests
// between populations, whether the permuted values go to a permutations file.
#pragma once

#include <cstdint>

#include "marsyl/analysis/population_pairs.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

enum class OfferFile { kNo, kYes };

// The number of permutations typed, 1 or more (the observed data count as one of them). With
// OfferFile::kYes the permutations file of the run is chosen anew: a file left open by an
// earlier test is closed first, and stays closed when the user declines.
int32_t ask_permutations(MarsylRun& run, OfferFile offer_file);

// The start of a resampling analysis: its heading on the console, fresh seeds from the clock
// (unless the user set them), the number of permutations (and the permutations file when
// offered), then the line that says the work has begun. The number of permutations.
int32_t start_resampling(MarsylRun& run, const char* heading, OfferFile offer_file,
                         const char* working);

// What the dialogue says as the test of a pair starts: "A vs. B" in the permutations file, if
// any, and on the console after lead ("" or "\t").
analysis::PairStarted pair_heading(MarsylRun& run, const char* lead);

// The end of one: the report and the permutations file flushed (a failed write reported), and
// the wait for the user.
void finish_resampling(MarsylRun& run);

}  // namespace marsyl::dialogue
