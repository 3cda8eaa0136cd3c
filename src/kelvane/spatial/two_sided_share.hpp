// The two-sided p-value of a permutation test as RClone's agg_index and edge_effect take it: twice
// the smaller of the shares of permuted values at or below the observed one and at or above it,
// at most 1 (the observed value itself not among them).
#pragma once

#include <vector>

namespace kelvane {

// NaN without permuted values, or when the observed value is NaN (a statistic undefined for the
// data has no test).
double two_sided_share(const std::vector<double>& permuted, double observed);

}  // namespace kelvane
