// The statistics of the loci as the loci command and the report show them.
#pragma once

#include <vector>

#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/locus_statistics.hpp"

namespace kelvane {

// locus, alleles, genotypes, he, pi, pi_sibs, pi_cum, pi_sibs_cum: a row per locus of the data.
clonal::ResultTable loci_table(const MarkerData& data, const std::vector<LocusStatistics>& loci);

}  // namespace kelvane
