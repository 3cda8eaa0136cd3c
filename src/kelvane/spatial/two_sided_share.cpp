// The two-sided share of permuted values.
#include "kelvane/spatial/two_sided_share.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kelvane {

double two_sided_share(const std::vector<double>& permuted, double observed) {
    if (permuted.empty() || std::isnan(observed)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    int64_t below = 0;
    int64_t above = 0;
    for (const double value : permuted) {
        below += value <= observed ? 1 : 0;
        above += value >= observed ? 1 : 0;
    }
    const auto count = static_cast<double>(permuted.size());
    return std::min(1.0, 2.0 * std::min(static_cast<double>(below) / count,
                                        static_cast<double>(above) / count));
}

}  // namespace kelvane
