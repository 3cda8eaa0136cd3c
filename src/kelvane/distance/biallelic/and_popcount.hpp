// The inner loop of the distances on biallelic loci: the number of bits two bit planes share.
// The loops are compiled several times for the instruction sets of x86-64 processors, and the
// first call picks the fastest one the processor running the program has (vector population
// counts where it offers them); every version gives the same counts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane {

// The set bits of a[w] & b[w] over w < words.
uint64_t and_popcount(const uint64_t* a, const uint64_t* b, std::size_t words);

// For each of count rows, row r being words long from rows + r * stride, the set bits of
// row[w] & b[w] over w < words, into sums[r]: one individual against a block of others.
void and_popcounts(const uint64_t* b, const uint64_t* rows, std::size_t stride, std::size_t words,
                   std::size_t count, uint64_t* sums);

// The counts of kinship between one sample and each of count others, every sample given as four
// bit planes of words each, one after the other: called, heterozygous, homozygous for the first
// allele, homozygous for the second. Row r starts at rows + r * stride; into sums[5 r] to
// sums[5 r + 4]: the bits both call, both heterozygous, opposite homozygotes, own heterozygous
// where the row calls, and the row heterozygous where own calls.
void kinship_popcounts(const uint64_t* own, const uint64_t* rows, std::size_t stride,
                       std::size_t words, std::size_t count, uint32_t* sums);

// The name of the versions in use (for measurements).
const char* and_popcount_version();

}  // namespace kelvane
