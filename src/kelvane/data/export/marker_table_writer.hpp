// Writing a marker data set as the program's own marker data file, which the dialogue reads.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Writes the data with digits per allele (which every code must fit): the title line, the five
// header numbers, the population names and a record per individual. Names lose their white space
// and are cut to the longest the format reads (11 characters for individuals, 24 for
// populations); a note in notes says how many.
void write_marker_table(const MarkerData& data, int32_t digits, std::ostream& out,
                        std::vector<std::string>& notes);

// The genotype word of copies: every copy in digits digits, zeros for a missing one.
std::string genotype_word(AlleleCopies::View copies, int32_t digits);

}  // namespace kelvane
