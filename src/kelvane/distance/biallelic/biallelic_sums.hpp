// The distances of the integer models summed over biallelic loci from bit planes of copy counts
// (see biallelic_form.hpp), 64 loci per machine word, and the other loci computed locus by locus
// as before: the same distances as the computation locus by locus, for SNP data sets of
// thousands of individuals and tens of thousands of loci.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/biallelic/biallelic_form.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The computation locus by locus of a model over the loci of part (the data set itself, or a
// data set of some of its loci), starting every sum at zero or at the value the matrix holds
// below its diagonal.
using LocusByLocus = std::function<DistanceResult(const MarkerData& part,
                                                  const DistanceOptions& options, SumStart start)>;

// Fills the matrix with the distances of a model whose locus results take the form at biallelic
// loci. copy_counts: per individual its most present copies (most_present_copies) when the
// form's missing_cost is not 0, otherwise empty. Without options.biallelic_fast_path, or without
// biallelic loci, the whole matrix is computed locus by locus.
DistanceResult fill_with_biallelic_loci(const MarkerData& data, DistanceMatrix& matrix,
                                        const BiallelicForm& form,
                                        const std::vector<int32_t>& copy_counts,
                                        const DistanceOptions& options,
                                        const LocusByLocus& locus_by_locus);

}  // namespace kelvane
