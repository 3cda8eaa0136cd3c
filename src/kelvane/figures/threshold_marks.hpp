// The thresholds drawn over the distance figures: the one the reader chose, as a solid line, and
// those a method suggests, as dashed lines, each named in the legend.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/figure.hpp"

namespace kelvane {

struct SuggestedThreshold {
    std::string method;  // as the suggestion names it, e.g. "largest-gap"
    double threshold = 0.0;
};

struct ThresholdMarks {
    std::optional<double> chosen;
    std::vector<SuggestedThreshold> suggested;
};

// Adds a vertical line per threshold to the panel.
void add_threshold_lines(clonal::plot::Panel& panel, const ThresholdMarks& marks);

}  // namespace kelvane
