// The inner loop of the distances on biallelic loci: the number of bits two bit planes share.
// The loop is compiled several times for the instruction sets of x86-64 processors, and the first
// call picks the fastest one the processor running the program has (vector population counts
// where it offers them); every version gives the same count.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane {

// The set bits of a[w] & b[w] over w < words.
uint64_t and_popcount(const uint64_t* a, const uint64_t* b, std::size_t words);

// The version and_popcount calls, for loops that call it very often.
using AndPopcount = uint64_t (*)(const uint64_t* a, const uint64_t* b, std::size_t words);
AndPopcount and_popcount_function();

// The name of the version in use (for measurements).
const char* and_popcount_version();

}  // namespace kelvane
