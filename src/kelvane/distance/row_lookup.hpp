// The inner loop of the distances a row at a time: every pair of a row adds its locus result,
// looked up in one row of the locus's table by the other individual's locus genotype. The loop
// is compiled for the vector units the processor offers (AVX-512, AVX2 gathers, or plain), chosen
// at run time; each sum takes the same additions in the same order either way.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane {

// sums[j] += row[ids[j]] for every j < n.
void add_looked_up(int64_t* sums, const int64_t* row, const int32_t* ids, std::size_t n);
void add_looked_up(double* sums, const double* row, const int32_t* ids, std::size_t n);

// sums[j] += row[slots[j] * slot_cells + ids[j]] for every j < n: tables of several slots.
void add_looked_up(int64_t* sums, const int64_t* row, const int32_t* ids, const int32_t* slots,
                   std::size_t slot_cells, std::size_t n);
void add_looked_up(double* sums, const double* row, const int32_t* ids, const int32_t* slots,
                   std::size_t slot_cells, std::size_t n);

// The version chosen: "avx512", "avx2" or "plain".
const char* row_lookup_version();

}  // namespace kelvane
