// What the report says about the marker data set: its numbers and its populations.
#pragma once

#include <string>

#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::analysis {

// item, value: the file, its title, the individuals, populations, loci, maximum ploidy, digits
// per allele and alleles, and the distances.
clonal::ResultTable data_summary_table(const MarkerData& data, const std::string& file,
                                       const std::string& distances);

// population, individuals.
clonal::ResultTable population_table(const MarkerData& data);

}  // namespace kelvane::analysis
