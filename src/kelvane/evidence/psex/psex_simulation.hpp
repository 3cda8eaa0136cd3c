// The p-value of a Psex by simulation: populations of the same size are drawn under random
// mating from the frequencies the Psex used (every copy of every locus drawn independently), the
// Psex of every repeat of a genotype within a simulated population is computed by the same rule,
// and an observed Psex is compared with all of them pooled: p = the share of simulated values
// strictly below it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/core/random.hpp"
#include "kelvane/evidence/psex/allele_frequencies.hpp"
#include "kelvane/evidence/psex/genotype_probability.hpp"

namespace kelvane {

enum class PsexMethod {
    kSingle,    // 1 - (1 - Pgen)^G, G the distinct genotypes
    kMultiple,  // the r-th encounter of a genotype among N: C(N, r-1) Pgen^(r-1) (1-Pgen)^(N-r+1)
};

// The Psex of the r-th encounter (from 1) of a genotype of probability pgen among n individuals
// and g distinct genotypes.
double psex_value(PsexMethod method, double pgen, int64_t rank, int64_t n, int64_t g);

struct SimulationModel {
    const FrequencySet& frequencies;
    std::span<const double> fis;  // empty: no inbreeding
    const GenotypeProbability& probability;
    PsexMethod method;
    int individuals;  // per simulated population
};

// For each of values, the share of the pooled Psex values of the repeats (encounters 2, 3, ...)
// of `simulations` simulated populations that lie strictly below it; not a number for a value
// that is not one, or when the simulations give no repeat. Each population draws from its own
// generator seeded from random in order, and the populations are spread over up to threads
// workers (0: every core). The populations are simulated chunk at a time (any chunk gives the
// same shares), so memory grows with the values, not with the simulations.
std::vector<double> simulated_shares_below(const SimulationModel& model, int64_t simulations,
                                           clonal::Random& random, int threads,
                                           std::span<const double> values, int64_t chunk = 4096);

}  // namespace kelvane
