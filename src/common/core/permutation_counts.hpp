// The tally of a resampling test: how many resampled values lie above, below or exactly at the
// observed one, and the p-values that count the observed data as one of the values.
#pragma once

#include <cstdint>

namespace clonal {

struct PermutationCounts {
    int64_t greater = 0;
    int64_t smaller = 0;
    int64_t equal = 0;

    // A value that is not a number counts nowhere.
    void add(double resampled, double observed) {
        if (resampled == observed) {
            ++equal;
        } else if (resampled < observed) {
            ++smaller;
        } else if (resampled > observed) {
            ++greater;
        }
    }

    // (greater + equal + 1) / values and (smaller + equal + 1) / values, where values counts the
    // resampled values and the observed one.
    double p_at_least(int64_t values) const {
        return static_cast<double>(greater + equal + 1) / static_cast<double>(values);
    }
    double p_at_most(int64_t values) const {
        return static_cast<double>(smaller + equal + 1) / static_cast<double>(values);
    }
};

}  // namespace clonal
