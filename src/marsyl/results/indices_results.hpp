// The indices of clonal diversity as the commands and the report show them: the table of every
// population, the partitioning of diversity among them, and the dot charts of the indices.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/result_table.hpp"
#include "marsyl/core/diversity_partitioning.hpp"
#include "plot/figure.hpp"

namespace marsyl {

// population, n, gen, eff, div, eve, shw, shc, diu.
clonal::ResultTable indices_table(const clonal::ClonalData& data, const DiversityResults& results);

// component (total, within, g_st, g_st_corrected), div, shw, shc; NA for a single population,
// which has nothing to partition.
clonal::ResultTable partitioning_table(const clonal::ClonalData& data,
                                       const DiversityResults& results);

// A dot chart per index with a row per population.
clonal::plot::Figure indices_figure(const clonal::ClonalData& data,
                                    const DiversityResults& results);

}  // namespace marsyl
