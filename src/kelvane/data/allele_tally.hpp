// The distinct alleles of every locus: their total number and their list.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "marker_data.hpp"

namespace kelvane {

// The distinct non-zero allele values of each locus, ascending.
std::vector<std::vector<int32_t>> alleles_per_locus(const MarkerData& data);

// The total number of distinct alleles over all loci; negated when the data suit the Dice
// distance: one copy per locus, one digit per allele and at most two alleles at some locus.
int32_t count_alleles(const MarkerData& data);

// "The following alleles were found:" and, per locus, its name and its alleles ascending.
void list_alleles(const MarkerData& data, std::ostream& out);

}  // namespace kelvane
