// The indices of clonal diversity of every population (number of genotypes, effective number,
// genotypic diversity, evenness, Shannon-Wiener and its correction, diu) and the partitioning of
// diversity within and among the populations. Indices have no unit but the numbers of genotypes.
#pragma once

#include "common/text/result_table.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/core/diversity_partitioning.hpp"

namespace marsyl::analysis {

// The indices and their partitioning, with the rules of the command line and the report (a
// partition is left undefined where a population holds nothing).
DiversityResults diversity(const ClonalInput& input);

// population, n, gen, eff, div, eve, shw, shc, diu.
clonal::ResultTable indices_table(const clonal::ClonalData& data, const DiversityResults& results);

// component (total, within, g_st, g_st_corrected), div, shw, shc; NA for a single population,
// which has nothing to partition.
clonal::ResultTable partitioning_table(const clonal::ClonalData& data,
                                       const DiversityResults& results);

}  // namespace marsyl::analysis
