// Writing a marker data set as a GenAlEx sheet in comma-separated text.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Writes the three header lines and a row per sample, grouped by population as GenAlEx expects
// (a note in notes says so when that changes their order), with a column per copy slot. A missing
// copy is 0, or -9 in haploid data, where a sheet of only 0 and 1 would read as presence and
// absence. Fields holding a comma, a quote or blanks at either end are quoted.
void write_genalex(const MarkerData& data, std::ostream& out, std::vector<std::string>& notes);

}  // namespace kelvane
