// The distance histogram and its table.
#include "kelvane/analysis/histogram.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/grouping/distance_tally.hpp"
#include "kelvane/grouping/histogram.hpp"

namespace kelvane::analysis {
namespace {

void check_class_count(int32_t classes) {
    clonal::check_setting("histogram.classes", classes);
}

// Whole distances: classes narrower than one unit are mostly empty.
void check_classes(int32_t classes, double max_distance) {
    if (classes > max_distance && classes > kFewestClassesRefused) {
        const auto largest = static_cast<int64_t>(max_distance);
        throw clonal::SettingError(
            "{setting} " + std::to_string(classes) +
                " would make classes narrower than one unit up to " + std::to_string(largest) +
                ", nearly all empty; give at most " +
                std::to_string(std::max(largest, int64_t{kFewestClassesRefused})),
            "classes");
    }
    check_class_count(classes);
}

}  // namespace

void check_histogram_settings(const HistogramSettings& settings, bool unrounded) {
    const double top = settings.max_distance;
    if (top != 0.0) {  // 0 stands for the largest distance
        clonal::check_setting("max_distance", top);
    }
    if (!unrounded && (top != std::floor(top) || top > std::numeric_limits<int32_t>::max())) {
        throw clonal::SettingError(
            "{setting} takes a whole number from 1 to 2,147,483,647 on the rounded distances",
            "max_distance")
            .advised("(real ones: {unrounded})");
    }
    if (settings.max_distance > 0 && !unrounded) {
        check_classes(settings.classes, settings.max_distance);
    } else if (settings.classes < 2 || unrounded) {
        // Whole distances without a maximum are checked against the largest one once known.
        check_class_count(settings.classes);
    }
}

DistanceHistogram histogram(const DistanceMatrix& matrix, const HistogramSettings& settings) {
    check_histogram_settings(settings);
    DistanceHistogram histogram;
    const int32_t top = settings.max_distance > 0 ? static_cast<int32_t>(settings.max_distance)
                                                  : std::max(largest_distance(matrix), 1);
    histogram.max_distance = top;
    check_classes(settings.classes, top);
    histogram.counts = histogram_counts(matrix, settings.classes, top);
    histogram.width = class_width(top, settings.classes);
    const auto n = static_cast<int64_t>(matrix.size());
    histogram.beyond = n * (n - 1) / 2 - std::accumulate(histogram.counts.begin(),
                                                         histogram.counts.end(), int64_t{0});
    return histogram;
}

DistanceHistogram histogram(const MarkerData& data, const DistanceInput& distances,
                            const HistogramSettings& settings, const clonal::WorkSettings& work) {
    check_histogram_settings(settings, distances.unrounded);
    if (distances.unrounded) {
        const std::vector<double> values = distance_values(data, distances, true, work);
        check_real_distances(data.ind_names, values);
        DistanceHistogram histogram;
        const double largest =
            values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
        histogram.max_distance = settings.max_distance > 0 ? settings.max_distance
                                 : largest > 0             ? largest
                                                           : 1.0;
        histogram.width = histogram.max_distance / static_cast<double>(settings.classes);
        histogram.counts = class_counters(settings.classes);
        tally_value_classes(values, histogram.width, histogram.counts);
        histogram.beyond =
            static_cast<int64_t>(values.size()) -
            std::accumulate(histogram.counts.begin(), histogram.counts.end(), int64_t{0});
        return histogram;
    }
    if (!grouped_by_distinct_genotypes(distances)) {
        return histogram(distance_matrix(data, distances, work), settings);
    }
    const DistinctGenotypes distinct = distinct_genotypes_under(data, distances);
    DistinctPairTally pairs(distinct);
    for_each_distinct_band(data, distinct, distances, work,
                           [&](const DistanceMatrix& band) { pairs.add_band(band); });
    const DistanceTally tally = pairs.tally();
    DistanceHistogram histogram;
    const int32_t top = settings.max_distance > 0 ? static_cast<int32_t>(settings.max_distance)
                                                  : std::max(tally.largest(), 1);
    histogram.max_distance = top;
    check_classes(settings.classes, top);
    histogram.width = class_width(top, settings.classes);
    histogram.counts = tally.class_counts(settings.classes, histogram.width);
    histogram.beyond = tally.pairs() - std::accumulate(histogram.counts.begin(),
                                                       histogram.counts.end(), int64_t{0});
    return histogram;
}

std::string beyond_text(const DistanceHistogram& histogram) {
    return std::to_string(histogram.beyond) +
           (histogram.beyond == 1 ? " pair lies" : " pairs lie") + " beyond " +
           clonal::distance_text(histogram.max_distance) + ", outside the classes";
}

clonal::ResultTable histogram_table(const DistanceHistogram& histogram) {
    clonal::ResultTable table;
    table.header({"class", "from", "to", "pairs"});
    for (std::size_t k = 0; k < histogram.counts.size(); ++k) {
        const auto upper = static_cast<double>(k) * histogram.width;
        const double lower = k == 0 ? 0.0 : static_cast<double>(k - 1) * histogram.width;
        table.integer(static_cast<int64_t>(k)).real(lower).real(upper).integer(histogram.counts[k]);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
