// KING-robust kinship between every pair of diploid samples over biallelic SNPs (Manichaikul et
// al. 2010, eq. 11, between families), counted as plink 2's --make-king-table counts them: over
// the SNPs both samples call, HETHET the SNPs where both are heterozygous, IBS0 those where they
// are opposite homozygotes, and
//   kinship = (2 HETHET - 4 IBS0 - Het1 - Het2 + 2 min(Het1, Het2)) / (4 min(Het1, Het2)),
// Het1 and Het2 each sample's heterozygous SNPs among the shared ones, so that a duplicate
// scores 1/2, first-degree relatives about 1/4 and unrelated samples about 0. Sites with more
// than two alleles, and calls of one copy, are left out.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"

namespace kelvane {

struct KinshipCounts {
    int32_t shared = 0;      // SNPs both call (NSNP)
    int32_t hethet = 0;      // both heterozygous
    int32_t ibs0 = 0;        // opposite homozygotes
    int32_t het_first = 0;   // heterozygous in the first sample, among the shared
    int32_t het_second = 0;  // heterozygous in the second

    // The KING-robust kinship; NaN when either sample has no heterozygous shared SNP.
    double kinship() const;
    // The share of copies that differ, sum |g_a - g_b| / 2 over the shared SNPs, per SNP.
    double mismatch() const;
};

// The counts of every pair (i, j < i) at i * (i - 1) / 2 + j, i the first sample. Data that are
// not diploid are refused (a FatalError about the data).
std::vector<KinshipCounts> kinship_counts(const MarkerData& data,
                                          const DistanceOptions& options = {});

// The same counted SNP by SNP from the copies: the reference the bit planes are tested against.
std::vector<KinshipCounts> kinship_counts_plainly(const MarkerData& data);

}  // namespace kelvane
