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

// Who watches the curves, told as each population (numbered from 1) starts and once its curve is
// done; and the progress, which counts subsample sizes.
struct JackknifeWatch {
    std::function<void(int32_t population)> started;
    std::function<void(int32_t population, const JackknifeCurve& curve)> done;
    clonal::ProgressReport progress;
};

// The curves of populations 1 to P in order; reorders the genotypes of every population as the
// jackknife's draws do.
std::vector<JackknifeCurve> jackknife(clonal::ClonalData& data, const JackknifeSettings& settings,
                                      clonal::Random& random, const JackknifeWatch& watch = {});

// population, size, then X, X_low, X_up for every index X; the last row of a population is the
// whole sample, which has no spread.
clonal::ResultTable jackknife_table(const clonal::ClonalData& data,
                                    const std::vector<JackknifeCurve>& curves);

}  // namespace marsyl::analysis
