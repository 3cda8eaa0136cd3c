// Equal-width bins: the distribution of many values (a permutation test's statistics) drawn as
// bars of a size that does not grow with the number of values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plot/figure.hpp"

namespace clonal::plot {

struct Bins {
    double low = 0.0;
    double width = 1.0;
    std::vector<int64_t>
        counts;  // bin k holds [low + k width, low + (k + 1) width), the last closed
};

// count bins (1 or more) over [low, high] (low < high); values outside it and values that are
// not numbers are left out.
Bins equal_bins(std::span<const double> values, double low, double high, int count);

// One bar per bin.
Bars bars_of(const Bins& bins, std::string label, std::size_t series = 0);

}  // namespace clonal::plot
