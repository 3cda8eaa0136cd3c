// The figure of the Pareto index of the clone sizes, as the pareto command and the report show it.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "plot/figure.hpp"

namespace marsyl {

// The points of every population and of the total on log10 axes, each with its least-squares
// line over the sizes it spans.
clonal::plot::Figure pareto_figure(const clonal::ClonalData& data);

}  // namespace marsyl
