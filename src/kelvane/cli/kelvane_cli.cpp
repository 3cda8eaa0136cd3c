// kelvane's command line.
#include "kelvane/cli/kelvane_cli.hpp"

#include "kelvane/cli/kelvane_commands.hpp"

namespace kelvane::cli {

const clonal::ProgramInfo& program_info() {
    static const clonal::ProgramInfo info{
        "kelvane", "1.2",
        "kelvane 1.2: assigns individuals to clonal genotypes from multilocus marker data.\n"
        "\n"
        "It reads a marker data file (or an FSTAT file ending in .dat), computes a matrix of\n"
        "pairwise genetic distances under a mutation model of your choice (or imports one),\n"
        "shows a histogram of the distances, groups individuals into clonal genotypes at a\n"
        "threshold, runs a simple AMOVA, and writes result files, among them the input file\n"
        "of marsyl.\n"
        "\n"
        "Usage: kelvane                    asks its questions on the console\n"
        "       kelvane < answers          takes the answers, one per line, from a file\n"
        "       kelvane COMMAND [OPTIONS]  runs one analysis and writes a tab-separated table\n"};
    return info;
}

const clonal::cli::CommandList& kelvane_commands() {
    static const clonal::cli::CommandList commands{
        cli::distances_command(),    cli::histogram_command(), cli::thresholds_command(),
        cli::suggest_command(),      cli::clones_command(),    cli::amova_command(),
        cli::psex_command(),         cli::convert_command(),   cli::loci_command(),
        cli::accumulation_command(), cli::ia_command(),        cli::report_command(),
        cli::network_command(),      cli::spatial_command(),   cli::error_rate_command(),
        cli::relatedness_command(),  cli::registry_command()};
    return commands;
}

clonal::Random seeded_random(const clonal::cli::SeedOption& seeds) {
    clonal::Random random;
    if (const auto given = clonal::cli::parse_seeds(seeds)) {
        random.set_seeds(given->first, given->second);
    }
    return random;
}

int run_kelvane_command_line(const std::vector<std::string>& arguments,
                             const clonal::cli::Terminal& terminal) {
    return clonal::cli::run_command_line(program_info(), kelvane_commands(), arguments, terminal);
}

}  // namespace kelvane::cli
