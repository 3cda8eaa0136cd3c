// The classes of the distance histogram, as the histogram command and the report take them:
// --classes K and --max-distance M.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "kelvane/analysis/histogram.hpp"

namespace kelvane::cli {

void add_histogram_options(CLI::App& command, analysis::HistogramSettings& settings);

// The words of the options, for a command that draws the same histogram: "--classes K" and
// "--max-distance M" when it was given.
std::vector<std::string> histogram_arguments(const analysis::HistogramSettings& settings);

}  // namespace kelvane::cli
