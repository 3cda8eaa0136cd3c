// The analysis menu of kelvane's dialogue: histogram, AMOVA, a new matrix, or on to the output.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/dialogue/kelvane_run.hpp"

namespace kelvane::dialogue {

void analysis_menu(KelvaneRun& run);

}  // namespace kelvane::dialogue
