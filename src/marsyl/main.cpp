// Entry point of marsyl: wires the console and the machine's clock to the dialogue.
#include <iostream>
#include <string>
#include <vector>

#include "marsyl/dialogue/marsyl_program.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status =
            clonal::handle_arguments(arguments, marsyl::program_info(), std::cout, std::cerr)) {
        return *status;
    }
    std::ios::sync_with_stdio(false);
    const int status =
        marsyl::run_marsyl(std::cin, std::cout, std::cerr, marsyl::machine_local_time);
    return clonal::finish_output(std::cout, std::cerr, marsyl::program_info(), status);
}
