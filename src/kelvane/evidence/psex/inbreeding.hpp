// The inbreeding coefficient Fis of every locus of diploid data, from the same individuals and
// frequencies as the genotype probabilities: Fis = (He - Ho) / He with Ho the share of
// heterozygotes among the individuals typed at the locus and He = 2n / (2n - 1) (1 - sum p^2)
// over the locus's frequencies (rare-allele fill included). Not a number when He is 0 or no
// individual is typed.
#pragma once

#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/psex/allele_frequencies.hpp"

namespace kelvane {

std::vector<double> locus_fis(const MarkerData& data, const FrequencySet& frequencies);

}  // namespace kelvane
