// The best one-to-one matching of the allele copies of two individuals at a locus, for the
// two-phase distance: the smallest sum of copy costs over all matchings, each sum added in row
// order in double precision, exactly as trying every matching gives it, without trying them all.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/distance/matching/hungarian_assignment.hpp"
#include "kelvane/distance/matching/matching_search.hpp"

namespace kelvane {

// A square table of copy costs: entry (x, y) at cells[x * stride + y]; row x is a copy of the
// first individual, column y one of the second.
struct CostTable {
    std::span<const double> cells;
    int stride = 0;

    double at(int x, int y) const {
        return cells[static_cast<std::size_t>(x) * static_cast<std::size_t>(stride) +
                     static_cast<std::size_t>(y)];
    }
};

// The value of the enumeration of all matchings of the first k rows with the first k columns:
// for k = 1 entry (0, 0); for k = 2 (0,0) + (1,1) when it is strictly smaller than
// (1,0) + (0,1), else the latter; for larger k the smallest row-order sum of all k! matchings,
// but at most 10000000.0; for k = 0, 0.0. Entries must be finite and lie in 0 to 1.
class BestMatching {
  public:
    double sum(const CostTable& costs, int k);

    // How many calls needed a search over the row-order sums in double precision (the
    // programme over sets of columns, or the matching search for exact floating-point ties), as
    // opposed to the rules for one or two copies or exact integer arithmetic.
    int64_t searches() const { return searches_; }

  private:
    bool scaled_integer_sum(const CostTable& costs, int k, double& sum);

    HungarianAssignment<int64_t> integer_assignment_;
    MatchingSearch search_;
    std::vector<int64_t> scaled_;
    int64_t searches_ = 0;
};

// Whether value lies in 0 to 1 and is a multiple of 2^-q for q = 53 - b, 2^b the smallest power
// of two not below k (k >= 3). For tables of such entries every sum of at most k entries
// and every difference of two is exact in double precision: a matching's row-order sum is then
// its exact sum, whatever the order of its additions.
bool adds_exactly(double value, int k);

// One matching without a reusable solver.
double best_matching_sum(const CostTable& costs, int k);

// The same value found by trying every matching in the order of k nested loops (row 0 outermost,
// columns ascending), keeping a sum only when it is strictly smaller: the reference the fast
// matching is measured and tested against. Its work grows as k!.
double enumerated_matching_sum(const CostTable& costs, int k);

}  // namespace kelvane
