// Reading a STRUCTURE input file, whose layout the settings give (the file does not state it):
// rows of values separated by blanks or tabs, each individual on structure_rows rows (one copy
// per row; with one row, ploidy columns per locus), after the leading columns (label, population,
// or skipped) that every row repeats. With structure_header the first line names the loci (it may
// also have names over the leading columns), and rows of one value per locus right after it
// (marker distances, recessive alleles) are passed over. -9 is a missing copy and every other
// value an allele, 0 and negative values included: as a marker data set keeps 0 for a missing
// copy, every allele is then shifted by the same amount so that the smallest becomes 1 (steps
// between alleles stay as they are). Rows of -9 pad individuals of lower ploidy.
#pragma once

#include <string_view>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

struct StructureData {
    MarkerData data;
    int64_t allele_shift = 0;  // added to every allele value of the file
};

// Every error is an InputError naming the line and the column (of values).
StructureData read_structure(std::string_view content, const FormatSettings& settings);

}  // namespace kelvane
