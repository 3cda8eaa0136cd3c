// The figure of the pairwise Phi-st of the groups of one level: a heat map.
#pragma once

#include <span>

#include "kelvane/analysis/nested_amova.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// A square of the groups (numbered, named down the side), each cell of two groups coloured by their Phi-st from 0 (light) to the
// largest (dark), negative values as 0, its value and p-value named when pointed at.
clonal::plot::Figure pairwise_phi_figure(std::span<const analysis::PairwisePhi> pairs);

}  // namespace kelvane
