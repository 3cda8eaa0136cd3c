// kelvane convert's core: a marker data set written in another format, with the notes of what
// the format could not keep as it was (codes renumbered, names changed, order changed).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The formats convert writes: marker, fstat and genalex.
bool can_write(DataFormat format);

// The digits per allele a format takes at most: 9 in a marker data file (32-bit codes), 3 in an
// FSTAT file (as FSTAT itself reads them); a GenAlEx sheet writes numbers as they are.
int32_t most_digits(DataFormat format);

// Writes data in format (one can_write takes) and returns the notes; a locus with more alleles
// than the format's digits can number is a FatalError, raised before anything is written.
std::vector<std::string> write_data(MarkerData data, DataFormat format, std::ostream& out);

}  // namespace kelvane
