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
    std::string text;        // as given: a number or auto; empty when not given
    std::string replicates;  // a file of replicate pairs, with auto

    bool given() const { return !text.empty(); }
    bool automatic() const { return text == "auto"; }
    double value() const;  // the number given (not auto)
};

// --replicates FILE: pairs of samples typed twice, whose distances give the clone-mate mode of the
// automatic threshold; when names when it applies ("with --threshold auto").
CLI::Option* add_replicates_option(CLI::App& command, std::string& file, const std::string& when);

// The pairs of the file in the data (none for no file); the file's errors name it.
std::vector<std::pair<int, int>> replicates_of(const std::string& file, const MarkerData& data);

// Adds --threshold and --replicates. whole: the number must be whole; required unless a
// description of another use is given.
void add_threshold_option(CLI::App& command, ThresholdOption& option, bool whole = false,
                          const std::string& description = {});

// "--threshold" and its text, then "--replicates" and the file when there is one: the words that
// give the same threshold again (none when no threshold is given).
std::vector<std::string> threshold_arguments(const ThresholdOption& option);

// A command's input files with the replicates file, when one is given.
std::vector<std::string> with_replicates(std::vector<std::string> inputs, const std::string& file);

// The same with the file the option reads; --replicates without auto is a UsageError.
std::vector<std::string> threshold_inputs(const ThresholdOption& option,
                                          std::vector<std::string> inputs);

// The line a table starts with to say which threshold was chosen and why: "# threshold auto ...".
std::string automatic_threshold_line(const AutomaticThreshold& chosen);

}  // namespace kelvane::cli
