// The jackknife curves: every index of clonal diversity of each population over random
// subsamples of every size from 2 up, with its mean and limits, ending at the whole sample.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"
#include "marsyl/core/jackknife.hpp"

namespace marsyl::analysis {

struct JackknifeSettings {
    int32_t subsamples = 100;  // of every size, 1 or more
};

// Called before the curve of a population, numbered from 1.
using PopulationStarted = std::function<void(int32_t population)>;

// The curves of populations 1 to P in order; reorders the genotypes of every population as the
// jackknife's draws do. Progress counts sizes.
std::vector<JackknifeCurve> jackknife(clonal::ClonalData& data, const JackknifeSettings& settings,
                                      clonal::Random& random,
                                      const clonal::ProgressReport& progress = {},
                                      const PopulationStarted& started = {});

// population, size, then X, X_low, X_up for every index X; the last row of a population is the
// whole sample, which has no spread.
clonal::ResultTable jackknife_table(const clonal::ClonalData& data,
                                    const std::vector<JackknifeCurve>& curves);

}  // namespace marsyl::analysis
