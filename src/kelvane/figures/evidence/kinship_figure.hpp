// The standard picture of relatedness from SNPs: the kinship of every pair against the share of
// SNPs at which the two are opposite homozygotes (IBS0), coloured by relationship. Clone mates
// lie at high kinship and no IBS0, parent and offspring at about 1/4 and no IBS0, full sibs at
// about 1/4 with some IBS0, unrelated pairs near 0 with the most.
#pragma once

#include "kelvane/analysis/relatedness.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// Every pair of a class other than unrelated, and the unrelated pairs evenly thinned to at most
// 20,000 (so that the figure of thousands of samples stays small; the description says so).
clonal::plot::Figure kinship_figure(const analysis::RelatednessResult& result);

}  // namespace kelvane
