// marsyl's command line.
#include "marsyl/cli/marsyl_cli.hpp"

#include "marsyl/cli/marsyl_commands.hpp"

namespace marsyl::cli {

const clonal::ProgramInfo& program_info() {
    static const clonal::ProgramInfo info{
        "marsyl", "1.1",
        "marsyl 1.1: clonal diversity of populations from their clonal genotypes.\n"
        "\n"
        "It reads a Clonal genotype file (as kelvane writes it), appends every result to a\n"
        "report file, and offers a menu of analyses: indices of clonal diversity per population\n"
        "with the partitioning of diversity among populations, bootstrap tests for differences\n"
        "in diversity, pairwise permutation tests for differentiation, jackknife curves over\n"
        "increasing sample sizes, export as an FSTAT data file, and seeds of your choosing for\n"
        "the random number generator.\n"
        "\n"
        "Usage: marsyl                    asks its questions on the console\n"
        "       marsyl < answers          takes the answers, one per line, from a file\n"
        "       marsyl COMMAND [OPTIONS]  runs one analysis and writes a tab-separated table\n"};
    return info;
}

const clonal::cli::CommandList& marsyl_commands() {
    static const clonal::cli::CommandList commands{
        cli::indices_command(),   cli::pareto_command(),          cli::shared_command(),
        cli::bootstrap_command(), cli::differentiation_command(), cli::jackknife_command(),
        cli::fstat_command(),     cli::report_command()};
    return commands;
}

int run_marsyl_command_line(const std::vector<std::string>& arguments,
                            const clonal::cli::Terminal& terminal) {
    return clonal::cli::run_command_line(program_info(), marsyl_commands(), arguments, terminal);
}

}  // namespace marsyl::cli
