// kelvane convert's core: a marker data set written in another format, with the notes of what
// the format could not keep as it was (codes renumbered, names changed, order changed).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Whether the format has a writer in the catalogue (format_catalogue.hpp).
bool can_write(DataFormat format);

// Writes data in format (one can_write takes) and returns the notes; a locus with more alleles
// than the format's digits can number is a FatalError, raised before anything is written.
std::vector<std::string> write_data(MarkerData data, DataFormat format, std::ostream& out);

}  // namespace kelvane
