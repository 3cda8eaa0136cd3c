// The result files of the genotypes at one threshold: marsyl's input (the Clonal genotype file)
// and the genotypes file (each individual's name and genotype number).
#pragma once

#include <ostream>
#include <string>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"

namespace kelvane {

// The Clonal genotype file of the data set's title, populations and individuals.
void write_clonal_genotype_file(const MarkerData& data, const Genotypes& genotypes,
                                std::ostream& out);

// The same with the population names made single words of at most 24 characters, none two alike,
// as marsyl reads them; returns a note that names the names changed, or an empty text.
std::string write_clonal_genotype_file_for_marsyl(const MarkerData& data,
                                                  const Genotypes& genotypes, std::ostream& out);

// "name\tgenotype\n" for every individual in input order.
void write_genotypes_file(const MarkerData& data, const Genotypes& genotypes, std::ostream& out);

}  // namespace kelvane
