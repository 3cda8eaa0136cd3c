// The Psex of the repeated genotypes as the psex command and the report show it.
#pragma once

#include <vector>

#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/psex/psex.hpp"

namespace kelvane {

// The genotypes as identical data, numbered from 1 in the order of their first individual, as
// psex_table takes them.
std::vector<int32_t> identical_data_genotypes(const GenotypeIdentity& identity);

// individual, genotype, rank, pgen, psex, and p_sim when simulated: a row per individual whose
// genotype occurs more than once.
clonal::ResultTable psex_result_table(const MarkerData& data, const std::vector<PsexRow>& rows,
                                      bool simulated);

}  // namespace kelvane
