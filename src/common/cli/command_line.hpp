// The command-line face of a program: its commands, each with named options, parsed by CLI11.
// A program lists its commands once, in the order of its --help.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/core/program_info.hpp"
#include "common/core/random.hpp"

namespace clonal::cli {

// The process a command runs in: its output streams and whether standard error is a terminal.
struct Terminal {
    std::ostream& out;
    std::ostream& err;
    bool err_is_terminal = false;
};

// The options every command takes.
struct CommonOptions {
    int threads = 0;
    std::string out = "-";
    bool progress = false;
    bool quiet = false;

    // Whether long work shows a progress bar.
    bool shows_progress(const Terminal& terminal) const {
        return progress || (!quiet && terminal.err_is_terminal);
    }
};

// What runs a command once its arguments are parsed.
using Action = std::function<void(const Terminal& terminal)>;

struct Command {
    std::string name;
    std::string summary;
    // Adds the command's options to its subcommand and returns its action, which reads the
    // values the options were parsed into.
    std::function<Action(CLI::App& command)> setup;
};

// A program's commands in the order of its --help.
using CommandList = std::vector<Command>;

// --threads, --out, --progress and --quiet.
void add_common_options(CLI::App& command, CommonOptions& options);

// --threads, --progress and --quiet: for a command whose results go elsewhere than --out.
void add_work_options(CLI::App& command, CommonOptions& options);

// --seed S1,S2: two integers for the generator; parsed by parse_seeds.
struct SeedOption {
    std::string text;
};
void add_seed_option(CLI::App& command, SeedOption& seeds, const std::string& when_absent);

// The help of --seed for a command whose generator starts where the dialogue's does:
// "12345,67890, as the dialogue starts" (then more, if given).
std::string start_seeds_help(const std::string& more = {});

// The seeds given, or nothing when --seed was not used. A malformed value is a UsageError.
std::optional<std::pair<int32_t, int32_t>> parse_seeds(const SeedOption& seeds);

// The generator's seeds as --seed takes them: "S1,S2".
std::string seeds_text(const Random& random);

// Writes "# seeds: S1,S2" to standard error, so that any run can be repeated exactly.
void record_seeds(const Terminal& terminal, const Random& random);

// Parses the arguments (without the program name), runs the command they name and returns the
// exit status: 0, 1 for bad data or a failed write, 2 for bad usage. Errors are one line on
// standard error: "program: error: what".
int run_command_line(const ProgramInfo& info, const CommandList& commands,
                     const std::vector<std::string>& arguments, const Terminal& terminal);

}  // namespace clonal::cli
