// Where the individuals were sampled, as kelvane spatial and the report take it: --coordinates
// FILE, --geographic and --drop-uncoordinated.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <utility>

#include "common/cli/command_line.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/spatial/coordinates.hpp"

namespace kelvane::cli {

struct CoordinateOptions {
    std::string file;
    bool geographic = false;
    bool drop_uncoordinated = false;
};

// Adds the three options; --coordinates is required unless optional.
void add_coordinate_options(CLI::App& command, CoordinateOptions& options, bool optional = false);

// The data and coordinates of the individuals analysed: all of them, or with --drop-uncoordinated
// those with coordinates (a note says how many were left out). An individual without coordinates
// otherwise is a FatalError naming it; a bad file one naming the file.
std::pair<MarkerData, Coordinates> located(const CoordinateOptions& options, MarkerData data,
                                           const clonal::cli::Terminal& terminal);

}  // namespace kelvane::cli
