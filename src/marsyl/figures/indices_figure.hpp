// The dot charts of the indices of clonal diversity, as the commands and the report show them.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "marsyl/core/diversity_partitioning.hpp"
#include "plot/figure.hpp"

namespace marsyl {

// A dot chart per index with a row per population.
clonal::plot::Figure indices_figure(const clonal::ClonalData& data,
                                    const DiversityResults& results);

}  // namespace marsyl
