// The input and resampling options of marsyl's commands.
#include "marsyl/cli/clonal_options.hpp"

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"

namespace marsyl::cli {

void add_clonal_argument(CLI::App& command, std::string& file) {
    command
        .add_option("CLONAL", file,
                    "the Clonal genotype file (as kelvane clones --clonal writes it)")
        ->required();
}

void add_resampling_options(CLI::App& command, ResamplingOptions& options, int32_t& permutations,
                            const char* what_permutations) {
    command.add_option("--permutations", permutations, what_permutations)
        ->check(clonal::cli::setting_check("resampling.permutations"))
        ->capture_default_str();
    add_clock_seed_option(command, options.seeds);
}

void add_clock_seed_option(CLI::App& command, clonal::cli::SeedOption& seeds) {
    clonal::cli::add_seed_option(command, seeds, "from the clock, as the dialogue seeds");
}

clonal::Random seeded_random(const ResamplingOptions& options,
                             const clonal::cli::Terminal& terminal) {
    clonal::Random random;
    if (const auto seeds = clonal::cli::parse_seeds(options.seeds)) {
        random.set_seeds(seeds->first, seeds->second);
    } else {
        clonal::seed_from_clock(random, clonal::machine_local_time());
    }
    clonal::cli::record_seeds(terminal, random);
    return random;
}

}  // namespace marsyl::cli
