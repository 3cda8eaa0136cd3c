// Writing the clonal data set as an FSTAT data file: one locus, every individual a homozygote
// whose allele code is its genotype number.
#pragma once

#include <cstdint>
#include <ostream>

#include "common/core/clonal_genotype_file.hpp"

namespace marsyl {

// Digits of each allele code: 3, or as many as the largest genotype number has, so that every
// code keeps the fixed width the file declares.
int allele_digits(int32_t largest_genotype);

// The whole file: header, locus name, then populations 1 to P with their individuals in the
// current order of their arrays.
void write_fstat_records(const clonal::ClonalData& data, int32_t largest_genotype,
                         std::ostream& out);

}  // namespace marsyl
