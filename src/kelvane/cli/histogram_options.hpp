// The classes of the distance histogram, as the histogram command and the report take them:
// --classes K and --max-distance M.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"
#include "kelvane/results/histogram_results.hpp"

namespace kelvane {

struct HistogramClasses {
    int32_t classes = 10;
    int32_t max_distance = 0;  // 0: the largest distance
};

void add_histogram_options(CLI::App& command, HistogramClasses& options);

// Distances are whole numbers, so classes narrower than one unit are mostly empty: more classes
// than the largest distance are refused beyond this many, before the memory for them is taken.
inline constexpr int32_t kFewestClassesRefused = 10000;

// A UsageError when --max-distance was given and --classes exceeds what it can fill; checked
// before the matrix is made.
void check_histogram_classes(const HistogramClasses& options);

// The histogram of the matrix in the classes of the options, refused as above once the largest
// distance is known.
DistanceHistogram histogram_of(const DistanceMatrix& matrix, const HistogramClasses& options);

// The words of the options, for a command that draws the same histogram: "--classes K" and
// "--max-distance M" when it was given.
std::vector<std::string> histogram_arguments(const HistogramClasses& options);

}  // namespace kelvane
