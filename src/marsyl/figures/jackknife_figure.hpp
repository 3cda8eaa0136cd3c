// The figure of the jackknife curves of every population, as the command and the report show it.
#pragma once

#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "marsyl/core/jackknife.hpp"
#include "plot/figure.hpp"

namespace marsyl {

// A panel per index: its mean against the sample size, a line per population within the band of
// its limits, ending at the whole sample.
clonal::plot::Figure jackknife_figure(const clonal::ClonalData& data,
                                      const std::vector<JackknifeCurve>& curves);

}  // namespace marsyl
