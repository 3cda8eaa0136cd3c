// The genotyping error rate from replicate typings (evidence/replicate_error.hpp gives the model):
// per pair of replicates and over all of them, the loci called in both, the loci whose calls
// differ, and the error rate per call with its 95% interval.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::analysis {

// The pairs of a replicates file (data/formats/replicate_pairs.hpp), its errors naming it.
std::vector<std::pair<int, int>> replicate_pairs_file(const std::string& file,
                                                      const MarkerData& data);

// Columns individual_a, individual_b, shared_loci, mismatches, error_rate, lower, upper: a row
// per pair, then the row "all" of the pooled counts.
clonal::ResultTable error_rate_table(const MarkerData& data,
                                     const std::vector<std::pair<int, int>>& pairs);

}  // namespace kelvane::analysis
