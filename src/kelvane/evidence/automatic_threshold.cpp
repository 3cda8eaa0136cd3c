// The clone-mate and unrelated modes of the distances, and the threshold between clone mates and
// relatives.
#include "kelvane/evidence/automatic_threshold.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/median.hpp"

namespace kelvane {
namespace {

// Three significant digits, so that the threshold shown is the threshold used.
double three_digits(double value) {
    if (value <= 0) {
        return value;
    }
    const double scale = std::pow(10.0, 2 - std::floor(std::log10(value)));
    return std::round(value * scale) / scale;
}

std::string pairs_words(int64_t count) {
    return std::to_string(count) + (count == 1 ? " pair" : " pairs");
}

}  // namespace

std::string threshold_digits(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

AutomaticThreshold automatic_threshold(std::vector<double> lower,
                                       std::span<const std::pair<int, int>> replicates,
                                       double floor, bool whole) {
    // The replicates' distances are read first; then the values without a distance are dropped
    // and the rest reordered in place.
    double replicate_sum = 0;
    int64_t replicate_pairs = 0;
    for (const auto& [a, b] : replicates) {
        const int64_t low = std::min(a, b);
        const int64_t high = std::max(a, b);
        const double value = lower[static_cast<std::size_t>(high * (high - 1) / 2 + low)];
        if (low != high && !std::isnan(value)) {
            replicate_sum += value;
            ++replicate_pairs;
        }
    }
    std::erase_if(lower, [](double value) { return std::isnan(value); });
    std::vector<double>& finite = lower;
    if (finite.empty()) {
        throw clonal::FatalError(
            "no pair of individuals has a distance, so no threshold comes "
            "from the distances",
            clonal::ErrorKind::kData);
    }
    AutomaticThreshold chosen;
    chosen.unrelated_mode = clonal::median_in_place(finite);
    std::vector<double> clone_distances;
    if (!replicates.empty()) {
        chosen.from_replicates = true;
        chosen.clone_pairs = replicate_pairs;
        if (chosen.clone_pairs == 0) {
            throw clonal::FatalError(
                "no replicate pair has a distance (too few loci called in "
                "both), so they give no clone-mate mode",
                clonal::ErrorKind::kData);
        }
        chosen.clone_mode = replicate_sum / static_cast<double>(chosen.clone_pairs);
    } else {
        for (const double value : finite) {
            if (value < chosen.unrelated_mode / 4.0) {
                clone_distances.push_back(value);
            }
        }
        chosen.clone_pairs = static_cast<int64_t>(clone_distances.size());
        chosen.clone_mode =
            clone_distances.empty() ? 0.0 : clonal::median_in_place(clone_distances);
    }
    if (chosen.clone_mode < floor) {
        chosen.clone_mode = floor;
        chosen.floored = true;
    }
    const double between = std::sqrt(chosen.clone_mode * chosen.unrelated_mode / 2.0);
    chosen.whole = whole;
    chosen.threshold = whole ? std::floor(between) : three_digits(between);
    return chosen;
}

std::string automatic_threshold_words(const AutomaticThreshold& chosen) {
    std::string words =
        threshold_digits(chosen.threshold) +
        (chosen.whole ? ": rounded down, the geometric mean" : ": the geometric mean") +
        " of the clone-mate mode " + threshold_digits(chosen.clone_mode) + " (";
    if (chosen.from_replicates) {
        words += "the mean distance of " + pairs_words(chosen.clone_pairs) + " of replicates";
    } else if (chosen.clone_pairs > 0) {
        words += "the median of the " + pairs_words(chosen.clone_pairs) +
                 " below a quarter of the unrelated mode";
    } else {
        words += "no pair lies below a quarter of the unrelated mode";
    }
    if (chosen.floored) {
        words += "; raised to half a differing copy over all loci";
    }
    words += ") and " + threshold_digits(chosen.unrelated_mode / 2.0) +
             ", half the unrelated mode (the median distance), where first-degree relatives begin";
    // The threshold within a factor of 1.41 of the clone-mate mode.
    if (chosen.clone_mode * 2.0 > chosen.unrelated_mode / 2.0) {
        words += "; clone mates lie so far apart that they may not be told from relatives";
    }
    return words;
}

}  // namespace kelvane
