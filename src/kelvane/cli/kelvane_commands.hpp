// kelvane's commands, one function each in its own file; kelvane_cli.cpp lists them in the order
// of --help. Adding a command is its file and a line in that list.
#pragma once

#include "common/cli/command_line.hpp"

namespace kelvane::cli {

clonal::cli::Command distances_command();
clonal::cli::Command histogram_command();
clonal::cli::Command thresholds_command();
clonal::cli::Command suggest_command();
clonal::cli::Command clones_command();
clonal::cli::Command amova_command();
clonal::cli::Command psex_command();
clonal::cli::Command convert_command();
clonal::cli::Command loci_command();
clonal::cli::Command accumulation_command();
clonal::cli::Command ia_command();
clonal::cli::Command report_command();
clonal::cli::Command network_command();
clonal::cli::Command spatial_command();
clonal::cli::Command error_rate_command();
clonal::cli::Command relatedness_command();
clonal::cli::Command registry_command();

}  // namespace kelvane::cli
