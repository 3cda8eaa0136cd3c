// The Pareto index of the clone sizes of every population and of the total: the least-squares
// line of log10 of the number of genotypes of at least each size against log10 of the size;
// beta is minus its slope. beta, c and r2 have no unit.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/result_table.hpp"

namespace marsyl::analysis {

// population (then total), beta, c, r2, points: the fit of each population's clone sizes.
clonal::ResultTable pareto_table(const clonal::ClonalData& data);

}  // namespace marsyl::analysis
