// The genotype accumulation curve: the number of distinct genotypes (identical data) when only k
// of the loci are kept, over every subset of k loci or over random subsets when there are more
// than draws of them.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/genotype_accumulation.hpp"

namespace kelvane::analysis {

struct AccumulationSettings {
    int64_t draws =
        1000;  // random subsets per number of loci, in the range of the table of setting ranges
};

struct AccumulationResult {
    std::vector<AccumulationPoint> curve;  // k = 1 to the loci
    int64_t genotypes = 0;                 // distinct genotypes over all loci
};

// Random subsets are drawn from random, in a fixed order whatever the workers.
AccumulationResult accumulation(const MarkerData& data, const AccumulationSettings& settings,
                                clonal::Random& random, const clonal::WorkSettings& work = {});

// loci (k), mean, sd, min, max of the number of genotypes over the subsets of k loci.
clonal::ResultTable accumulation_table(const AccumulationResult& result);

}  // namespace kelvane::analysis
