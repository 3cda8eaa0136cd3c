// Per locus: the alleles and locus genotypes typed, the expected heterozygosity, and the
// probabilities of identity of two random individuals and of two full sibs, with their running
// products over the loci. Probabilities have no unit.
#pragma once

#include <optional>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/locus_statistics.hpp"

namespace kelvane::analysis {

// Why the statistics cannot be computed for the data (a maximum ploidy above 1000), or nothing.
std::optional<clonal::FatalError> loci_refusal(const MarkerData& data);

// The statistics of every locus; loci_refusal's error is thrown.
std::vector<LocusStatistics> loci(const MarkerData& data);

// locus, alleles, genotypes, he, pi, pi_sibs, pi_cum, pi_sibs_cum: a row per locus of the data;
// and off_repeat when its shares are given (off_repeat_shares: the share of the locus's distinct
// codes that are not a whole number of repeats from its smallest one).
clonal::ResultTable loci_table(const MarkerData& data, const std::vector<LocusStatistics>& loci,
                               const std::vector<double>& off_repeat = {});

// The off-repeat shares of the loci under the repeat lengths the input's model gives, empty when
// it gives none (or imports a matrix).
std::vector<double> off_repeat_of(const MarkerData& data, const DistanceInput& input);

}  // namespace kelvane::analysis
