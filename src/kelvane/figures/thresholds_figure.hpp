// The number of clonal genotypes against the threshold, as the commands and the report show it:
// its figure, a step line.
#pragma once

#include <span>
#include <string>

#include "kelvane/figures/threshold_marks.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// The number of genotypes held from each threshold up to the next; unit names what a distance
// counts ("steps").
clonal::plot::Figure thresholds_figure(std::span<const ThresholdCount> counts,
                                       const std::string& unit, const ThresholdMarks& marks);

}  // namespace kelvane
