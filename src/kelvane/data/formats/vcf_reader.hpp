// Reading the genotypes (GT) of a VCF or BCF file, plain or compressed, through htslib: any
// ploidy, phased or not, multi-allelic sites. The allele code of a copy is its allele index plus
// one (REF is 1), a missing copy 0; a sample of lower ploidy than others has missing copies in
// the remaining slots. Every site is a locus, named by its ID or else by CHROM:POS; every sample
// an individual, all in one population (see population_file.hpp for others).
#pragma once

#include <cstdint>
#include <string>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

struct VcfData {
    MarkerData data;
    int64_t sites_left_out = 0;  // called in fewer samples than settings.min_call_rate asks
};

// Reads the file at path, keeping the sites called (every copy present) in at least
// settings.min_call_rate of the samples. threads: workers for decompression (0: none). A file
// that is not VCF or BCF, a site htslib cannot read or a genotype naming an allele the site does
// not have is a FatalError naming the site (number from 1, CHROM:POS) and the sample.
VcfData read_vcf(const std::string& path, const FormatSettings& settings, int threads = 0);

}  // namespace kelvane
