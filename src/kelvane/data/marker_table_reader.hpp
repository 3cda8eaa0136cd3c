// The program's own input format, the marker data file: a title line, five header numbers, the
// population names and one record per individual (population number, name, one genotype word
// per locus), all separated by any white space.
#pragma once

#include <string>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Reads the whole file content into a marker data set; every input error ends the run with its
// message.
MarkerData read_marker_table(std::string content);

}  // namespace kelvane
