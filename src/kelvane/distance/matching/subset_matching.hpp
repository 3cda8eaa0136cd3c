// The best matching of a few allele copies by a dynamic programme over the sets of columns that
// the first rows take: exact for every table, and cheaper than an assignment method at these
// sizes because its work does not depend on the costs.
#pragma once

namespace kelvane {

struct CostTable;

// The largest copy count the programme takes (its work grows as k 2^k).
inline constexpr int kSubsetMatchingCopies = 8;

// The smallest row-order sum in double precision over all matchings of the first k rows with the
// first k columns, for 0 <= k <= kSubsetMatchingCopies (0.0 for k = 0). Entries must be finite.
double subset_matching_sum(const CostTable& costs, int k);

}  // namespace kelvane
