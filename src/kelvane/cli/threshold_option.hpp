// --threshold as the commands that group take it: a number, or auto (under --distance mismatch:
// chosen from the data, with --replicates when replicate typings are known).
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <utility>
#include <vector>

#include "common/cli/command_line.hpp"
#include "kelvane/analysis/automatic_threshold.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::cli {

struct ThresholdOption {
    std::string text;        // as given: a number or auto
    std::string replicates;  // a file of replicate pairs, with auto

    bool automatic() const { return text == "auto"; }
    double value() const;  // the number given (not auto)
};

// Adds --threshold (required) and --replicates.
void add_threshold_option(CLI::App& command, ThresholdOption& option);

// The files the option reads (the replicates), to add to a command's inputs; --replicates without
// auto is a UsageError.
std::vector<std::string> threshold_inputs(const ThresholdOption& option);

// The replicate pairs of the data the option names (none without --replicates); the file's
// errors name it.
std::vector<std::pair<int, int>> threshold_replicates(const ThresholdOption& option,
                                                      const MarkerData& data);

// The line a table starts with to say which threshold was chosen and why: "# threshold auto ...".
std::string automatic_threshold_line(const AutomaticThreshold& chosen);

}  // namespace kelvane::cli
