// The figure of the simple AMOVA's permutation test, as the commands and the report show it.
#pragma once

#include <span>

#include "plot/figure.hpp"

namespace kelvane {

// The distribution of the permuted Phi-st in bars and the observed Phi-st as a line.
clonal::plot::Figure amova_figure(double observed, std::span<const double> permuted);

}  // namespace kelvane
