// Splitting a genotype word into its allele copies.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "common/text/text_scanner.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The number of copies a word of this length holds with the given digits per allele: one per
// full field of digits, plus a shorter first one for a remainder.
std::size_t copies_in_word(std::size_t length, int digits);

// Stores the copies of the word into slots 0, 1, ... of copies (whose size is the maximum
// ploidy). The first copy is shorter when the length is not a multiple of digits. A piece that
// does not start with digits is a missing copy (0); a piece with a sign before its digits is an
// input error, and so is a word with more copies than slots (the FSTAT reader sizes the slots by
// the longest word, so only the marker table can meet it). Individual and locus are counted from
// 1, for the messages.
void split_genotype(std::string_view word, int digits, std::span<int32_t> copies, int individual,
                    int locus);

// Reads the genotype word of every locus of individual i (counted from 0) from the scanner and
// stores its copies; a missing word or one that does not start with a digit is an input error.
void read_genotype_words(clonal::TextScanner& scanner, MarkerData& data, int i);

}  // namespace kelvane
