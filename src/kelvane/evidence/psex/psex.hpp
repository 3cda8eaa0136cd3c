// The probability that repeated genotypes arose by separate sexual events (Psex): for every
// individual whose genotype occurs more than once, its genotype probability Pgen from the chosen
// allele frequencies, its encounter rank and its Psex, optionally with a p-value by simulation.
// Frequencies, encounter ranks and the number of individuals N are taken per population with
// by_population, over the whole data set otherwise; G of the single-encounter rule is always
// the number of distinct genotypes of the whole data set.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/genotype_identity.hpp"
#include "kelvane/evidence/psex/allele_frequencies.hpp"
#include "kelvane/evidence/psex/psex_simulation.hpp"

namespace kelvane {

struct PsexSettings {
    FrequencySource frequencies = FrequencySource::kRoundRobin;
    RareAlleleFill fill = RareAlleleFill::kGenets;
    bool by_population = false;
    bool fis = false;  // diploid data only
    PsexMethod method = PsexMethod::kMultiple;
    int64_t simulations = 0;  // 0: no p-values
    int threads = 0;
};

struct PsexRow {
    int individual;
    int32_t genotype;  // as numbered by the caller
    int64_t rank;      // 1 for the first encounter of its genotype (in its population)
    double pgen;
    double psex;
    double p_sim;  // not a number without simulations and for a first encounter
};

// Whether the settings can be used on the data: nothing, or why not.
std::optional<clonal::FatalError> psex_refusal(const MarkerData& data,
                                               const PsexSettings& settings);

// genotypes: the genotype of every individual, numbered from 1.
std::vector<PsexRow> psex_table(const MarkerData& data, const GenotypeIdentity& identity,
                                std::span<const int32_t> genotypes, const PsexSettings& settings,
                                clonal::Random& random);

}  // namespace kelvane
