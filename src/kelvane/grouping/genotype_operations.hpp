// The analyses and save options that work on a filled distance matrix: the histogram, the AMOVA
// and the genotype files. Each save option returns false when its file could not be written
// (reported on the console).
#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "console.hpp"
#include "distance_matrix.hpp"
#include "marker_data.hpp"
#include "random.hpp"

namespace kelvane {

// The histogram of the distances; the table goes to out, or to the console when out is null.
void distance_histogram(clonal::Console& console, const DistanceMatrix& matrix, std::ostream* out);

// The AMOVA with its permutation test; 1 when it ran, 0 when it was refused.
int simple_amova(clonal::Console& console, clonal::Random& random, const DistanceMatrix& matrix,
                 std::span<const int32_t> pop_vector, int32_t n_populations);

bool save_clonal_genotype_file(clonal::Console& console, const DistanceMatrix& matrix,
                               const MarkerData& data);
bool save_genotypes(clonal::Console& console, const DistanceMatrix& matrix, const MarkerData& data);
bool save_all_thresholds(clonal::Console& console, const DistanceMatrix& matrix,
                         const MarkerData& data);
bool save_histogram(clonal::Console& console, const DistanceMatrix& matrix);

}  // namespace kelvane
