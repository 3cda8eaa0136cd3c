// Fitting allele codes to a number of digits per allele: the digits the largest code needs, and
// where a locus holds a code with more digits than a format allows, that locus's codes
// renumbered 1, 2, ... in ascending order (which keeps their order but not their steps).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Renumbers in data the loci whose codes need more than most_digits digits and returns the digits
// per allele the codes then need (at least 1). A note per renumbered locus is added to notes. A
// locus with more alleles than most_digits digits can number is a FatalError.
int32_t fit_allele_codes(MarkerData& data, int32_t most_digits, std::vector<std::string>& notes);

}  // namespace kelvane
