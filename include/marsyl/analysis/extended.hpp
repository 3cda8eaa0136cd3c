// The statistics of clone sizes as the commands and the report show them.
#pragma once

#include <cstdint>

#include "common/core/clonal_genotype_file.hpp"
#include "common/text/result_table.hpp"

namespace marsyl::analysis {

// N', the sample size of eMLG: sample, or when it is 0 the size of the smallest population that
// holds anyone, but at least 10.
int64_t rarefaction_sample(const clonal::ClonalData& data, int64_t sample);

// population (then total), N, G, R, H, J, simpson, hill, V, lambda, E5, eMLG, eMLG_se; eMLG
// rarefied to sample individuals, or for sample 0 to the default size of the populations.
clonal::ResultTable extended_table(const clonal::ClonalData& data, int64_t sample);

}  // namespace marsyl::analysis
