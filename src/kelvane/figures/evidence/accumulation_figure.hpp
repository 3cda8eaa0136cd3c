// The figure of the genotype accumulation curve, as the accumulation command and the report show
// it.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/evidence/genotype_accumulation.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// The mean number of genotypes against the number of loci kept, within the band of the least
// and the most, and a horizontal line at the genotypes of the whole set (all loci).
clonal::plot::Figure accumulation_figure(const std::vector<AccumulationPoint>& curve,
                                         int64_t genotypes);

}  // namespace kelvane
