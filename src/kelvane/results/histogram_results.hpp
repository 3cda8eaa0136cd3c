// The distance histogram as the commands and the report show it: the tally of the pairs into
// classes, its table and its figure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/text/result_table.hpp"
#include "kelvane/matrix/distance_matrix.hpp"
#include "kelvane/results/threshold_marks.hpp"
#include "plot/figure.hpp"

namespace kelvane {

struct DistanceHistogram {
    std::vector<int64_t> counts;  // classes 0 to K
    double width = 1.0;           // of a class
    int32_t max_distance = 1;     // the upper bound of the last class
    int64_t beyond = 0;           // pairs at a distance above max_distance, in no class
};

// The histogram of the pairs in classes classes (2 or more) up to max_distance, or up to the
// largest distance of the matrix (at least 1) when max_distance is 0.
DistanceHistogram distance_histogram(const DistanceMatrix& matrix, int32_t classes,
                                     int32_t max_distance);

// "N pairs lie beyond M, outside the classes".
std::string beyond_text(const DistanceHistogram& histogram);

// class, from, to, pairs: class k holds the pairs with from < distance <= to, class 0 those at 0.
clonal::ResultTable histogram_table(const DistanceHistogram& histogram);

// One bar per class over the distances it holds, the pairs at distance 0 in a bar of their own
// left of 0; unit names what a distance counts ("steps").
clonal::plot::Figure histogram_figure(const DistanceHistogram& histogram, const std::string& unit,
                                      const ThresholdMarks& marks);

}  // namespace kelvane
