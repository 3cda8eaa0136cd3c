// Reading an FSTAT data file into the marker data set: four header numbers, the locus names and
// one record per individual (sample number, one genotype word per locus). The maximum ploidy is
// that of the longest genotype word, at least 2.
#pragma once

#include <string>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

MarkerData read_fstat_file(std::string content);

}  // namespace kelvane
