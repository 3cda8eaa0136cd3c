// Rarefaction of the number of genotypes: the expected number of distinct genotypes in a random
// sample of n' individuals drawn without replacement (Hurlbert 1971) and its standard error
// (Heck, van Belle and Simberloff 1975), so that populations of different sizes compare.
#pragma once

#include <cstdint>
#include <span>

#include "marsyl/core/extended/size_spectrum.hpp"

namespace marsyl {

// Both undefined (NaN) when the sample holds fewer than n' individuals.
struct Rarefaction {
    double expected_genotypes = 0.0;
    double standard_error = 0.0;
};

// No population is rarefied to fewer individuals than this by default.
inline constexpr int64_t kSmallestDefaultRarefaction = 10;

// The default n': the size of the smallest population that holds anyone, but at least
// kSmallestDefaultRarefaction.
int64_t default_rarefaction_size(std::span<const SizeSpectrum> populations);

// sample (n') is at least 1.
Rarefaction rarefy(const SizeSpectrum& spectrum, int64_t sample);

}  // namespace marsyl
