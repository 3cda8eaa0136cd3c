// Entry point of marsyl: without arguments the dialogue on the console with the machine's clock,
// with arguments the command they name.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "common/dialogue/program_entry.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::ios::sync_with_stdio(false);
    if (!arguments.empty()) {
        const clonal::cli::Terminal terminal{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
        return marsyl::cli::run_marsyl_command_line(arguments, terminal);
    }
    const int status =
        marsyl::dialogue::run_marsyl(std::cin, std::cout, std::cerr, clonal::machine_local_time);
    return clonal::finish_output(std::cout, std::cerr, marsyl::cli::program_info(), status);
}
