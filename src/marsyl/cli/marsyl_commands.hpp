// marsyl's commands, one function each in its own file; marsyl_cli.cpp lists them in the order of
// --help. Adding a command is its file and a line in that list.
#pragma once

#include "common/cli/command_line.hpp"

namespace marsyl::cli {

clonal::cli::Command indices_command();
clonal::cli::Command pareto_command();
clonal::cli::Command shared_command();
clonal::cli::Command bootstrap_command();
clonal::cli::Command differentiation_command();
clonal::cli::Command jackknife_command();
clonal::cli::Command fstat_command();
clonal::cli::Command report_command();

}  // namespace marsyl::cli
