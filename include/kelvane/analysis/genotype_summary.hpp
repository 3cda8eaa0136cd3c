// The clonal genotypes at one threshold as the report lists them: a row per genotype with its
// size, its populations and its members.
#pragma once

#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"

namespace kelvane::analysis {

// genotype, individuals, populations ("Lake 3, Bay 1"), members (the names in input order; a
// genotype of many members names the first ones and how many more there are); the largest
// genotypes first, those of one size in the order of their numbers.
clonal::ResultTable genotype_summary_table(const MarkerData& data, const Genotypes& genotypes);

}  // namespace kelvane::analysis
