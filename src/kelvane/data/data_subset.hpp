// A data set of some of the individuals or some of the loci of another, everything else kept:
// the populations and their names, the declared ploidy and layout.
#pragma once

#include <span>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The individuals given, in that order (an individual may be given twice).
MarkerData data_subset(const MarkerData& data, std::span<const int> individuals);

// Every individual at the loci given, in that order; the alleles are counted again.
MarkerData loci_subset(const MarkerData& data, std::span<const int> loci);

}  // namespace kelvane
