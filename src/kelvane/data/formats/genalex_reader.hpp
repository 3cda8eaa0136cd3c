// Reading a GenAlEx sheet saved as delimited text (commas, semicolons or tabs, fields possibly
// quoted): line 1 the numbers of loci, samples and populations and the population sizes
// (possibly followed by a block of regions), line 2 the title and the population names from the
// fourth column on, line 3 the column headers, with a locus name over the first column of every
// locus, so that their spacing tells the ploidy; then a row per sample: its name, its population
// and one column per allele copy. Columns after the genotypes are ignored.
//
// Alleles are positive numbers or the letters A, C, G and T (read as 1 to 4); 0, -9, NA and an
// empty field are missing copies. Haploid presence/absence data (AFLP: every value 0 or 1) are
// the exception: 0 is an absent band, read as 8 (the Dice distance's absence code), 1 a present
// band, and only -9, NA and an empty field are missing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kelvane/data/formats/data_format.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// Every error is an InputError naming the line and the column. A field equal to one of the
// settings' missing codes is a missing copy.
MarkerData read_genalex(std::string_view content, const FormatSettings& settings = {});

// What a sheet holds after the genotypes of each sample, in the order of its rows (GenAlEx puts
// the X and Y coordinates there, after one empty column). Errors: those of read_genalex's header
// and rows.
struct GenalexTrailing {
    std::string name;
    int64_t line = 0;
    int64_t first_column = 0;  // of fields[0], from 1
    std::vector<std::string> fields;
};
std::vector<GenalexTrailing> genalex_after_genotypes(std::string_view content);

// The allele codes of an absent and a present band of presence/absence data.
inline constexpr int32_t kAbsentBand = 8;
inline constexpr int32_t kPresentBand = 1;

}  // namespace kelvane
