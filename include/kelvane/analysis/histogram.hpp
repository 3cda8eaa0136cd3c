// The distance histogram: the pairs of individuals tallied into classes of distance. Units:
// distances (see distances.hpp); the class bounds are real numbers when the classes are not a
// whole number of units wide.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

struct HistogramSettings {
    int32_t classes = 10;     // 2 or more
    double max_distance = 0;  // the upper bound of the last class; 0: the largest distance
};

// Distances are whole numbers, so classes narrower than one unit are mostly empty: more classes
// than the largest distance are refused beyond this many, before the memory for them is taken.
inline constexpr int32_t kFewestClassesRefused = 10000;

struct DistanceHistogram {
    std::vector<int64_t> counts;  // classes 0 to K: class k holds from < distance <= to
    double width = 1.0;           // of a class
    double max_distance = 1;      // the upper bound of the last class
    int64_t beyond = 0;           // pairs at a distance above max_distance, in no class
};

// The settings checked before the distances are known: classes outside the range of
// histogram.classes (the table of setting ranges: no table or figure shows more), and with
// max_distance given more classes than it can fill, are a SettingError
// naming {classes}; a max_distance below 0 or not whole on whole distances (without unrounded)
// one naming {max_distance}.
void check_histogram_settings(const HistogramSettings& settings, bool unrounded = false);

// The histogram of the pairs of the matrix; too many classes for the largest distance, or classes
// out of range, are a SettingError as above.
DistanceHistogram histogram(const DistanceMatrix& matrix, const HistogramSettings& settings);

// The histogram of the pairs of individuals under the distances the input describes; on computed
// distances other than --missing average (clones.hpp: grouped_by_distinct_genotypes) without an n x
// n matrix, from the pairs of distinct genotypes weighted by how often each occurs. Real distances
// (unrounded) are tallied into classes of real width (the largest distance, or max_distance, over
// the classes), a pair without a distance being an error naming it.
DistanceHistogram histogram(const MarkerData& data, const DistanceInput& distances,
                            const HistogramSettings& settings,
                            const clonal::WorkSettings& work = {});

// "N pairs lie beyond M, outside the classes".
std::string beyond_text(const DistanceHistogram& histogram);

// class, from, to, pairs: class k holds the pairs with from < distance <= to, class 0 those at 0.
clonal::ResultTable histogram_table(const DistanceHistogram& histogram);

}  // namespace kelvane::analysis
