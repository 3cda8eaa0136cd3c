// The nested AMOVA (Excoffier, Smouse and Quattro 1992) computed from the sums of squares within
// the groups of every level: degrees of freedom, sums of squares, variance components with the
// coefficients of unbalanced designs, their shares and the Phi statistics.
//
// Rows: 0 to K - 1 the variation among the groups of level l + 1 within those of level l (level 0
// the whole sample), K the variation within the groups of level K, K + 1 the total.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/amova/nested_design.hpp"

namespace kelvane {

struct NestedTable {
    std::vector<int64_t> df;
    std::vector<double> ss;
    std::vector<double> sigma2;   // the total's is the sum of the others
    std::vector<double> percent;  // of the total variance
    // Row 0: sigma2 of the top over the total; rows 1 to K - 1: the level's sigma2 over the sum
    // of the sigma2 from that level down to the within row; row K: 1 - within / total. The total
    // has none (NaN).
    std::vector<double> phi;

    int depth() const { return static_cast<int>(df.size()) - 2; }
};

// within[l], l = 0 to K: the sum over the groups of level l of (the sum of the distances of the
// group's pairs) / (its size), level 0 being the whole sample; the shape's levels are 1 to K.
NestedTable nested_table(std::span<const double> within, const NestedShape& shape);

// The sum of the terms added from the smallest up (the terms are sorted): the same bits for the
// same terms in any order.
double ascending_sum(std::vector<double>& terms);

// Only the variance components, for permutation tests.
std::vector<double> nested_sigma2(std::span<const double> within, const NestedShape& shape);

}  // namespace kelvane
