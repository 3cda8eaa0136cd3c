// Psex: for every individual whose genotype occurs more than once, the probability of its
// genotype under random mating (Pgen) and the probability that its encounter arose by a separate
// sexual event (Psex), optionally with a p-value by simulation (evidence/psex/psex.hpp has the
// definitions). Probabilities have no unit.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/psex/psex.hpp"

namespace kelvane::analysis {

struct PsexAnalysisSettings {
    PsexSettings psex;
    // The genotypes at this threshold under the distances (genotype_choice.hpp); without one,
    // those of identical data.
    std::optional<double> threshold;
};

struct PsexResult {
    std::vector<PsexRow> rows;
    bool simulated = false;
};

// psex_refusal's error (about the data, naming their file) is thrown. Simulations draw from
// random in a fixed order.
PsexResult psex(const MarkerData& data, const PsexAnalysisSettings& settings,
                const DistanceInput& distances, clonal::Random& random,
                const clonal::WorkSettings& work = {});

// individual, genotype, rank, pgen, psex, and p_sim when simulated: a row per individual whose
// genotype occurs more than once.
clonal::ResultTable psex_result_table(const MarkerData& data, const PsexResult& result);

}  // namespace kelvane::analysis
