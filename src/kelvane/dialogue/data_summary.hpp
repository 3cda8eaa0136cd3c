// What the dialogue shows of the marker data set: the summary once it is read, and the hidden
// listing of every individual's copies and every locus's alleles.
#pragma once

#include <string>

#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::dialogue {

// Reads the data set from the input file (saying so first for an FSTAT file) and prints its
// summary: individuals, populations, loci, digits per allele, maximum ploidy and alleles.
MarkerData load_and_summarise(clonal::Console& console, const std::string& name,
                              std::string content);

// Every individual's copies, locus by locus, the total number of alleles and the alleles of
// every locus.
void list_data(clonal::Console& console, const MarkerData& data);

}  // namespace kelvane::dialogue
