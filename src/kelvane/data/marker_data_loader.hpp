// Reading the marker data set from the input file in the format its name tells, with the data
// summary printed afterwards.
#pragma once

#include <string>

#include "console.hpp"
#include "marker_data.hpp"

namespace kelvane {

// A name longer than four characters that ends in ".dat" (lower case) is an FSTAT data file;
// any other name is a marker data file.
bool is_fstat_name(const std::string& name);

MarkerData load_marker_data(const std::string& name, std::string content, clonal::Console& console);

// The summary lines: individuals, populations, loci, digits per allele, maximum ploidy and the
// total number of alleles.
void print_data_summary(const MarkerData& data, clonal::Console& console);

}  // namespace kelvane
