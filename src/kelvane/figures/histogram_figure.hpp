// The figure of the distance histogram, as the commands and the report show it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/analysis/histogram.hpp"
#include "kelvane/figures/threshold_marks.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// One bar per class over the distances it holds, the pairs at distance 0 in a bar of their own
// left of 0; unit names what a distance counts ("steps").
clonal::plot::Figure histogram_figure(const analysis::DistanceHistogram& histogram,
                                      const std::string& unit, const ThresholdMarks& marks);

}  // namespace kelvane
