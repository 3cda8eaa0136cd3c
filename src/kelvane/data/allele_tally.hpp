// The distinct alleles of every locus: their total number and their list.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The distinct non-zero allele values of each locus, ascending.
std::vector<std::vector<int32_t>> alleles_per_locus(const MarkerData& data);

struct AlleleCount {
    int32_t total = 0;  // distinct alleles over all loci, held at the largest 32-bit integer
    // The data suit the Dice distance: one copy per locus, one digit per allele and at most two
    // alleles at some locus.
    bool dice_suitable = false;
};

AlleleCount count_alleles(const MarkerData& data);

}  // namespace kelvane
