// The genotypes shared among populations as the shared command and the report show them.
#pragma once

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/result_table.hpp"

namespace marsyl::analysis {

// genotype, one column per population holding its count there, populations (how many hold it):
// a row per genotype found in more than one population, or with all per genotype.
clonal::ResultTable shared_table(const clonal::ClonalData& data, bool all);

}  // namespace marsyl::analysis
