// The distance menu of kelvane's dialogue: how the distance matrix is filled.
#pragma once

#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/dialogue/kelvane_run.hpp"

namespace kelvane::dialogue {

void distance_menu(KelvaneRun& run);

}  // namespace kelvane::dialogue
