// Bootstrap confidence intervals of the diversity indices of a sample of clones: Shannon's H,
// Stoddart and Taylor's G, Simpson's lambda and the evenness E5. Each resample draws the sample's
// N individuals again with replacement (each clone in proportion to its observed size); the
// estimate is the mean of the resampled values, and the interval is the normal one centred on the
// observed value: observed -/+ z sd, with z the normal quantile of (1 + level) / 2 and sd the
// standard deviation (n - 1) of the resampled values. Resampled values that are undefined (E5 of a
// resample of one clone) are left out.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/core/random.hpp"
#include "marsyl/core/extended/size_spectrum.hpp"

namespace marsyl {

struct IndexInterval {
    double observed = 0.0;
    double estimate = 0.0;  // the mean of the resampled values
    double lower = 0.0;
    double upper = 0.0;
};

// H, G, lambda, E5, in this order.
inline constexpr std::array<std::string_view, 4> kIntervalIndices{"H", "G", "lambda", "E5"};

// resamples of 2 or more, level in (0, 1); draws N uniform numbers per resample from random.
std::array<IndexInterval, 4> diversity_intervals(const SizeSpectrum& spectrum, int64_t resamples,
                                                 double level, clonal::Random& random);

}  // namespace marsyl
