// Entry point of kelvane: wires the console to the dialogue.
#include <iostream>
#include <string>
#include <vector>

#include "kelvane/dialogue/kelvane_program.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status =
            clonal::handle_arguments(arguments, kelvane::program_info(), std::cout, std::cerr)) {
        return *status;
    }
    std::ios::sync_with_stdio(false);
    const int status = kelvane::run_kelvane(std::cin, std::cout, std::cerr);
    return clonal::finish_output(std::cout, std::cerr, kelvane::program_info(), status);
}
