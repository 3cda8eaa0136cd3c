// Equal-width bins.
#include "plot/bins.hpp"

#include <cmath>

#include "common/core/bug_check.hpp"

namespace clonal::plot {

Bins equal_bins(std::span<const double> values, double low, double high, int count) {
    CLONAL_BUG_CHECK(count >= 1 && low < high);
    Bins bins{low, (high - low) / count, std::vector<int64_t>(static_cast<std::size_t>(count), 0)};
    for (const double value : values) {
        if (!(value >= low && value <= high)) {
            continue;
        }
        auto k = static_cast<std::size_t>((value - low) / bins.width);
        bins.counts[std::min(k, bins.counts.size() - 1)] += 1;
    }
    return bins;
}

Bars bars_of(const Bins& bins, std::string label, std::size_t series) {
    Bars bars{{}, std::move(label), series};
    for (std::size_t k = 0; k < bins.counts.size(); ++k) {
        const double from = bins.low + static_cast<double>(k) * bins.width;
        bars.bars.push_back({from, from + bins.width, static_cast<double>(bins.counts[k])});
    }
    return bars;
}

}  // namespace clonal::plot
