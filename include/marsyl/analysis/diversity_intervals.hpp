// Bootstrap confidence intervals of the diversity indices of every population and of the total
// (diversity_intervals.hpp of the core: H, G, lambda and E5, the normal interval centred on the
// observed value, as poppr's diversity_ci gives by default).
#pragma once

#include <cstdint>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/random.hpp"
#include "common/text/result_table.hpp"

namespace marsyl::analysis {

struct IntervalSettings {
    int64_t resamples = 1000;  // ci in the table of setting ranges
    double level = 0.95;       // ci_level: above 0 and below 1
};

// Resamples or a level out of range are a SettingError naming {ci} or {ci_level}.
void check_interval_settings(const IntervalSettings& settings);

// population (then total), index (H, G, lambda, E5), observed, estimate, lower, upper: four rows
// per population. The populations are resampled in turn, population 1 first, then the total.
clonal::ResultTable diversity_interval_table(const clonal::ClonalData& data,
                                             const IntervalSettings& settings,
                                             clonal::Random& random);

}  // namespace marsyl::analysis
