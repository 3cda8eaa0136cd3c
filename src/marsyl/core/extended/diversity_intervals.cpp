// Resampling the individuals of a sample of clones and the intervals of its indices.
#include "marsyl/core/extended/diversity_intervals.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/core/normal_quantile.hpp"
#include "marsyl/core/extended/extended_indices.hpp"

namespace marsyl {
namespace {

std::array<double, 4> indices_of(const SizeSpectrum& spectrum) {
    const ExtendedIndices x = extended_indices(spectrum);
    return {x.shannon, x.stoddart_taylor, x.lambda, x.e5};
}

}  // namespace

std::array<IndexInterval, 4> diversity_intervals(const SizeSpectrum& spectrum, int64_t resamples,
                                                 double level, clonal::Random& random) {
    // The clone of every individual: the first individuals belong to the first clone, and so on.
    std::vector<int64_t> clone_end;
    for (const SizeClass& size_class : spectrum.classes) {
        for (int64_t k = 0; k < size_class.clones; ++k) {
            clone_end.push_back((clone_end.empty() ? 0 : clone_end.back()) + size_class.size);
        }
    }
    const std::array<double, 4> observed = indices_of(spectrum);
    std::array<std::vector<double>, 4> resampled;
    std::vector<int64_t> sizes(clone_end.size());
    const auto n = static_cast<int>(spectrum.individuals);
    for (int64_t r = 0; r < resamples; ++r) {
        std::fill(sizes.begin(), sizes.end(), 0);
        for (int i = 0; i < n; ++i) {
            const int individual = clonal::draw_index(random.next_uniform(), n);
            const auto clone = std::upper_bound(clone_end.begin(), clone_end.end(), individual) -
                               clone_end.begin();
            ++sizes[static_cast<std::size_t>(clone)];
        }
        const std::array<double, 4> values = indices_of(spectrum_of_sizes(sizes));
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (!std::isnan(values[k])) {
                resampled[k].push_back(values[k]);
            }
        }
    }
    const double z = clonal::normal_quantile((1.0 + level) / 2.0);
    std::array<IndexInterval, 4> intervals;
    for (std::size_t k = 0; k < intervals.size(); ++k) {
        const std::vector<double>& values = resampled[k];
        const auto count = static_cast<double>(values.size());
        double mean = std::nan("");
        double variance = std::nan("");
        if (!values.empty()) {
            mean = 0.0;
            for (const double value : values) {
                mean += value;
            }
            mean /= count;
        }
        if (values.size() > 1) {
            variance = 0.0;
            for (const double value : values) {
                variance += (value - mean) * (value - mean);
            }
            variance /= count - 1.0;
        }
        const double spread = z * std::sqrt(variance);
        intervals[k] = {observed[k], mean, observed[k] - spread, observed[k] + spread};
    }
    return intervals;
}

}  // namespace marsyl
