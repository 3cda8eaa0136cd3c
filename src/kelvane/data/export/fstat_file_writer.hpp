// Writing a marker data set as an FSTAT data file.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Writes the header (populations, loci, the largest allele, digits per allele), the locus names
// (single words of at most 24 characters) and a record per individual: its population number and
// its genotype words. FSTAT keeps no names of individuals or populations; a note in notes says so.
void write_fstat_file(const MarkerData& data, int32_t digits, std::ostream& out,
                      std::vector<std::string>& notes);

}  // namespace kelvane
