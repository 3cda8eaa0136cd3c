// The populations of the individuals from a file of two columns, sample and population (tab,
// comma or blank separated; blank lines and lines starting with # are passed over). It replaces
// whatever populations the data file gave: populations are numbered in the order the file first
// names them, among those that hold an individual. Names the data set does not hold are passed
// over, so that one file serves several data sets of a study.
#pragma once

#include <string_view>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// An individual the file does not name, a line without two columns or a sample named twice with
// different populations is an InputError naming the line.
void assign_populations(MarkerData& data, std::string_view content);

}  // namespace kelvane
