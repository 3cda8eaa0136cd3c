// Synthetic clonal data sets for the marsyl benchmarks: populations whose individuals belong to
// clones of very unequal sizes, the clones' genotype numbers spread over a wide range of codes.
#pragma once

#include <cstdint>

#include "common/core/clonal_genotype_file.hpp"

namespace marsyl_bench {

// populations populations of individuals each, genotype numbers from 0 to largest_code. The
// same arguments always give the same data set.
clonal::ClonalData synthetic_clonal_data(int32_t populations, int32_t individuals,
                                         int32_t largest_code);

}  // namespace marsyl_bench
