// The Pareto index of the clone sizes as the pareto command and the report show it: its table
// and its figure.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/result_table.hpp"
#include "plot/figure.hpp"

namespace marsyl {

// population (then total), beta, c, r2, points.
clonal::ResultTable pareto_table(const clonal::ClonalData& data);

// The points of every population and of the total on log10 axes, each with its least-squares
// line over the sizes it spans.
clonal::plot::Figure pareto_figure(const clonal::ClonalData& data);

}  // namespace marsyl
