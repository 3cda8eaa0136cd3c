// kelvane's command line: what the program says about itself, its list of commands and the run of
// one command.
#pragma once

#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "common/core/program_info.hpp"

namespace kelvane::cli {

const clonal::ProgramInfo& program_info();

// The commands in the order of --help.
const clonal::cli::CommandList& kelvane_commands();

// The generator of a command with --seed: seeded as the option says, or with the dialogue's
// start seeds.
clonal::Random seeded_random(const clonal::cli::SeedOption& seeds);

// The exit status of the command the arguments name.
int run_kelvane_command_line(const std::vector<std::string>& arguments,
                             const clonal::cli::Terminal& terminal);

}  // namespace kelvane::cli
