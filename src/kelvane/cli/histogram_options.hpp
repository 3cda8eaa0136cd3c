// The classes of the distance histogram, as the histogram command and the report take them:
// --classes K and --max-distance M.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvane {

struct HistogramClasses {
    int32_t classes = 10;
    int32_t max_distance = 0;  // 0: the largest distance
};

void add_histogram_options(CLI::App& command, HistogramClasses& options);

// The words of the options, for a command that draws the same histogram: "--classes K" and
// "--max-distance M" when it was given.
std::vector<std::string> histogram_arguments(const HistogramClasses& options);

}  // namespace kelvane
