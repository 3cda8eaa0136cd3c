// Whole distances as they are, real ones by their ranks.
#include "kelvane/grouping/grouping_distances.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "common/core/fatal_error.hpp"

namespace kelvane {
namespace {

// The rank of a pair without a distance: above every distance.
constexpr double kNoDistance = std::numeric_limits<double>::infinity();

}  // namespace

int32_t whole_threshold(double threshold) {
    constexpr double kLargest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::floor(std::min(threshold, kLargest)));
}

int32_t GroupingDistances::matrix_threshold(double threshold) const {
    if (!real()) {
        return whole_threshold(threshold);
    }
    const auto above = std::upper_bound(values.begin(), values.end(), threshold);
    return static_cast<int32_t>(above - values.begin() - 1);
}

GroupingDistances whole_distances(DistanceMatrix matrix) {
    GroupingDistances distances;
    distances.matrix = std::move(matrix);
    return distances;
}

void check_real_distances(std::span<const std::string> names, std::span<const double> lower,
                          bool missing_allowed) {
    const auto n = static_cast<int>(names.size());
    std::size_t k = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j, ++k) {
            if (!(lower[k] >= 0.0 && std::isfinite(lower[k])) &&
                !(missing_allowed && std::isnan(lower[k]))) {
                throw clonal::FatalError("individuals " + names[static_cast<std::size_t>(j)] +
                                         " and " + names[static_cast<std::size_t>(i)] +
                                         (std::isnan(lower[k])
                                              ? " have no distance (too few loci typed in both)"
                                              : " have a distance below 0 or infinite") +
                                         ", which groupings and histograms cannot take");
            }
        }
    }
}

GroupingDistances ranked_distances(std::span<const std::string> names,
                                   std::span<const double> lower) {
    check_real_distances(names, lower, true);
    const auto n = static_cast<int>(names.size());
    GroupingDistances distances;
    distances.values.reserve(lower.size() + 2);
    for (const double value : lower) {
        distances.values.push_back(std::isnan(value) ? kNoDistance : value);
    }
    distances.values.push_back(0.0);
    std::sort(distances.values.begin(), distances.values.end());
    distances.values.erase(std::unique(distances.values.begin(), distances.values.end()),
                           distances.values.end());
    if (distances.values.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        throw clonal::FatalError("the distances take more distinct values than a grouping holds",
                                 clonal::ErrorKind::kLimit);
    }
    distances.values.shrink_to_fit();
    distances.matrix = DistanceMatrix(n);
    const std::vector<double>& values = distances.values;
    std::size_t k = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j, ++k) {
            const double value = std::isnan(lower[k]) ? kNoDistance : lower[k];
            const auto rank = static_cast<int32_t>(
                std::lower_bound(values.begin(), values.end(), value) - values.begin());
            distances.matrix.set_pair(i, j, rank);
        }
    }
    return distances;
}

}  // namespace kelvane
