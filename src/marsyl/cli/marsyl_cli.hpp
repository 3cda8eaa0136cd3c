// marsyl's command line: what the program says about itself, its list of commands and the run of
// one command.
#pragma once

#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "common/core/program_info.hpp"

namespace marsyl::cli {

const clonal::ProgramInfo& program_info();

// The commands in the order of --help.
const clonal::cli::CommandList& marsyl_commands();

// The exit status of the command the arguments name.
int run_marsyl_command_line(const std::vector<std::string>& arguments,
                            const clonal::cli::Terminal& terminal);

}  // namespace marsyl::cli
