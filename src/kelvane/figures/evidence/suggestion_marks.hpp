// The thresholds the data suggest as dashed lines of the distance figures, named by their method.
#pragma once

#include <vector>

#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/figures/threshold_marks.hpp"

namespace kelvane {

std::vector<SuggestedThreshold> suggested_marks(const analysis::Suggestions& suggestions);

}  // namespace kelvane
