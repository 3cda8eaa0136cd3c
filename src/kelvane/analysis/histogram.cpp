// The distance histogram and its table.
#include "kelvane/analysis/histogram.hpp"

#include <algorithm>
#include <numeric>

#include "common/core/fatal_error.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/grouping/distance_tally.hpp"
#include "kelvane/grouping/histogram.hpp"

namespace kelvane::analysis {
namespace {

void check_class_count(int32_t classes) {
    if (classes < 2 || classes > kMostClasses) {
        throw clonal::SettingError("{setting} takes from 2 to " + std::to_string(kMostClasses) +
                                       " classes, not " + std::to_string(classes),
                                   "classes");
    }
}

void check_classes(int32_t classes, int32_t max_distance) {
    if (classes > max_distance && classes > kFewestClassesRefused) {
        throw clonal::SettingError(
            "{setting} " + std::to_string(classes) +
                " would make classes narrower than one unit up to " + std::to_string(max_distance) +
                ", nearly all empty; give at most " +
                std::to_string(std::max(max_distance, kFewestClassesRefused)),
            "classes");
    }
    check_class_count(classes);
}

}  // namespace

void check_histogram_settings(const HistogramSettings& settings) {
    if (settings.max_distance > 0) {
        check_classes(settings.classes, settings.max_distance);
    } else if (settings.classes < 2) {
        check_class_count(settings.classes);
    }
}

DistanceHistogram histogram(const DistanceMatrix& matrix, const HistogramSettings& settings) {
    DistanceHistogram histogram;
    histogram.max_distance =
        settings.max_distance > 0 ? settings.max_distance : std::max(largest_distance(matrix), 1);
    check_classes(settings.classes, histogram.max_distance);
    histogram.counts = histogram_counts(matrix, settings.classes, histogram.max_distance);
    histogram.width = class_width(histogram.max_distance, settings.classes);
    const auto n = static_cast<int64_t>(matrix.size());
    histogram.beyond = n * (n - 1) / 2 - std::accumulate(histogram.counts.begin(),
                                                         histogram.counts.end(), int64_t{0});
    return histogram;
}

DistanceHistogram histogram(const MarkerData& data, const DistanceInput& distances,
                            const HistogramSettings& settings, const clonal::WorkSettings& work) {
    if (!grouped_by_distinct_genotypes(distances)) {
        return histogram(distance_matrix(data, distances, work), settings);
    }
    const DistinctGenotypes distinct = distinct_genotypes_under(data, distances);
    DistinctPairTally pairs(distinct);
    for_each_distinct_band(data, distinct, distances, work,
                           [&](const DistanceMatrix& band) { pairs.add_band(band); });
    const DistanceTally tally = pairs.tally();
    DistanceHistogram histogram;
    histogram.max_distance =
        settings.max_distance > 0 ? settings.max_distance : std::max(tally.largest(), 1);
    check_classes(settings.classes, histogram.max_distance);
    histogram.width = class_width(histogram.max_distance, settings.classes);
    histogram.counts = tally.class_counts(settings.classes, histogram.width);
    histogram.beyond = tally.pairs() - std::accumulate(histogram.counts.begin(),
                                                       histogram.counts.end(), int64_t{0});
    return histogram;
}

std::string beyond_text(const DistanceHistogram& histogram) {
    return std::to_string(histogram.beyond) +
           (histogram.beyond == 1 ? " pair lies" : " pairs lie") + " beyond " +
           std::to_string(histogram.max_distance) + ", outside the classes";
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
