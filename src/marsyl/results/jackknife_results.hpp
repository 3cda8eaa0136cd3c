// The jackknife curves of every population as the command and the report show them: the
// computation over all populations, the table and the figure.
#pragma once

#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"
#include "marsyl/core/jackknife.hpp"
#include "plot/figure.hpp"

namespace marsyl {

// The curve of populations 1 to P in order, subsamples subsamples of every size; reorders the
// genotypes of every population as the jackknife's draws do. Progress counts sizes.
std::vector<JackknifeCurve> jackknife_curves(clonal::ClonalData& data, int32_t subsamples,
                                             clonal::Random& random,
                                             const clonal::ProgressReport& progress = {});

// population, size, then X, X_low, X_up for every index X; the last row of a population is the
// whole sample, which has no spread.
clonal::ResultTable jackknife_table(const clonal::ClonalData& data,
                                    const std::vector<JackknifeCurve>& curves);

// A panel per index: its mean against the sample size, a line per population within the band of
// its limits, ending at the whole sample.
clonal::plot::Figure jackknife_figure(const clonal::ClonalData& data,
                                      const std::vector<JackknifeCurve>& curves);

}  // namespace marsyl
