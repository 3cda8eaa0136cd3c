// Where the individuals were sampled, as kelvane spatial and the report take it: --coordinates
// FILE, --geographic and --drop-uncoordinated.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <utility>

#include "common/cli/command_line.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/spatial/coordinates.hpp"

namespace kelvane::cli {

struct CoordinateOptions {
    std::string file;
    bool geographic = false;
    bool drop_uncoordinated = false;
};

// Adds the three options.
void add_coordinate_options(CLI::App& command, CoordinateOptions& options);

// The data and coordinates of the individuals analysed, from --coordinates FILE or else the X and
// Y columns of the data's GenAlEx sheet; nothing when neither gives any. All the individuals, or
// with --drop-uncoordinated those with coordinates (a note says how many were left out). An
// individual without coordinates otherwise is a FatalError naming it; a bad file one naming the
// file.
std::optional<std::pair<MarkerData, Coordinates>> located(const CoordinateOptions& options,
                                                          const DataOptions& data_options,
                                                          MarkerData data,
                                                          const clonal::cli::Terminal& terminal);

}  // namespace kelvane::cli
