// Entry point of kelvane: without arguments the dialogue on the console, with arguments the
// command they name.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "common/dialogue/program_entry.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/dialogue/kelvane_program.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::ios::sync_with_stdio(false);
    if (!arguments.empty()) {
        const clonal::cli::Terminal terminal{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
        return kelvane::cli::run_kelvane_command_line(arguments, terminal);
    }
    const int status = kelvane::dialogue::run_kelvane(std::cin, std::cout, std::cerr);
    return clonal::finish_output(std::cout, std::cerr, kelvane::cli::program_info(), status);
}
