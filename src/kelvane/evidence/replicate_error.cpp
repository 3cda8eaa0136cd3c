// Replicate typings compared locus by locus, and the error rate per call.
#include "kelvane/evidence/replicate_error.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/core/normal_quantile.hpp"

namespace kelvane {
namespace {

std::vector<int32_t> sorted_copies(const MarkerData& data, int individual, int locus) {
    std::vector<int32_t> copies;
    for (const int32_t copy : data.locus_genotype(individual, locus)) {
        if (copy != 0) {
            copies.push_back(copy);
        }
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

// e for a probability d that two typings differ.
double per_call(double d) {
    return 1.0 - std::sqrt(1.0 - std::clamp(d, 0.0, 1.0));
}

}  // namespace

ReplicateComparison compare_replicates(const MarkerData& data, int a, int b) {
    ReplicateComparison comparison;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const std::vector<int32_t> first = sorted_copies(data, a, locus);
        const std::vector<int32_t> second = sorted_copies(data, b, locus);
        if (first.empty() || second.empty()) {
            continue;
        }
        ++comparison.shared_loci;
        comparison.mismatches += first == second ? 0 : 1;
    }
    return comparison;
}

ErrorRate error_rate(int64_t mismatches, int64_t compared, double level) {
    if (compared <= 0) {
        const double none = std::numeric_limits<double>::quiet_NaN();
        return {none, none, none};
    }
    const auto n = static_cast<double>(compared);
    const double d = static_cast<double>(mismatches) / n;
    const double z = clonal::normal_quantile(0.5 + level / 2.0);
    const double centre = (d + z * z / (2.0 * n)) / (1.0 + z * z / n);
    const double half =
        z / (1.0 + z * z / n) * std::sqrt(d * (1.0 - d) / n + z * z / (4.0 * n * n));
    return {per_call(d), per_call(centre - half), per_call(centre + half)};
}

}  // namespace kelvane
