// Reading the marker data set from the input file in the format its name tells.
#pragma once

#include <string>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// A name longer than four characters that ends in ".dat" (lower case) is an FSTAT data file;
// any other name is a marker data file.
bool is_fstat_name(const std::string& name);

// Sets the allele total of the data and whether the Dice distance is offered.
void tally_alleles(MarkerData& data);

// The data set of a file's content, with its allele count; an input error throws FatalError
// carrying its message.
MarkerData load_marker_data(const std::string& name, std::string content);

}  // namespace kelvane
