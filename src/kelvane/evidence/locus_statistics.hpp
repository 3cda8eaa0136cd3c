// How well each locus tells genotypes apart: its alleles and distinct genotypes, its expected
// heterozygosity (Nei's unbiased gene diversity, m / (m - 1) (1 - sum p^2) over the m typed
// copies), and the probability of identity of two random individuals (PI: the sum over the
// genotypes of the ploidy of their squared probability, which is 2 (sum p^2)^2 - sum p^4 for
// diploids) and of two full sibs (PI_sibs, diploids only), with their running products over the
// loci in data order.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Values that are not numbers where undefined: he with fewer than two typed copies, pi and
// pi_sibs at a locus without a typed copy (such a locus leaves the running products as they
// are; a running product is not a number until some locus has a value), pi_sibs unless the
// data are diploid.
struct LocusStatistics {
    int32_t alleles = 0;    // distinct allele values typed
    int32_t genotypes = 0;  // distinct locus genotypes of the individuals with a typed copy
    double he = 0.0;
    double pi = 0.0;
    double pi_sibs = 0.0;
    double pi_cumulative = 0.0;
    double pi_sibs_cumulative = 0.0;
};

// The maximum ploidy must be at most kLargestPascalRow.
std::vector<LocusStatistics> locus_statistics(const MarkerData& data);

}  // namespace kelvane
