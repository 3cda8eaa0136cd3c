// The analysis menu of marsyl: the first character of the answer line picks the choice, and
// anything that is no other choice computes the diversity indices.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "marsyl/dialogue/marsyl_run.hpp"

namespace marsyl::dialogue {

// Runs the menu until the user leaves it.
void analysis_menu(MarsylRun& run);

}  // namespace marsyl::dialogue
