// The save menu of kelvane's dialogue: the result files, then the end of the run.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/dialogue/kelvane_run.hpp"

namespace kelvane::dialogue {

void save_menu(KelvaneRun& run);

}  // namespace kelvane::dialogue
