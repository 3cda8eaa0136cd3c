// Reading a Genepop file: a title line, the locus names (one a line, or on one line separated by
// commas or blanks), then populations, each opened by a line "Pop" (in any case), with a line
// per individual: its name (possibly empty or with blanks), a comma, and one word per locus of
// two or three digits per allele, one allele (haploid) or two (diploid), the width and number
// told by each word's length, which may differ between loci. An allele of zeros is a missing
// copy. Each population is named after its last individual, the format's convention (with its
// number added when an earlier population has that name).
#pragma once

#include <string_view>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Every error is an InputError naming the line and the column (of characters).
MarkerData read_genepop(std::string_view content);

}  // namespace kelvane
