// A data set of some of the individuals of another, everything else kept: the loci, the
// populations and their names, the declared ploidy and layout, the alleles counted.
#pragma once

#include <span>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The individuals given, in that order (an individual may be given twice).
MarkerData data_subset(const MarkerData& data, std::span<const int> individuals);

}  // namespace kelvane
