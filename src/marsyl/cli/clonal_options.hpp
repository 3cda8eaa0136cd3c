// What every marsyl command reads, the Clonal genotype file, and what the resampling commands
// share: the number of permutations and the seeds of the generator.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <utility>

#include "common/cli/command_line.hpp"
#include "common/core/clonal_genotype_file.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"

namespace marsyl::cli {

void add_clonal_argument(CLI::App& command, std::string& file);

struct ResamplingOptions {
    clonal::cli::SeedOption seeds;
};

// The watcher of a resampling analysis that follows only its progress.
template <class Watch>
Watch watching(const clonal::ProgressReport& progress) {
    Watch watch;
    watch.progress = progress;
    return watch;
}

// --seed, seeded from the clock when absent as the dialogue seeds the generator.
void add_clock_seed_option(CLI::App& command, clonal::cli::SeedOption& seeds);

// --permutations into permutations (its default the value it holds) and --seed.
void add_resampling_options(CLI::App& command, ResamplingOptions& options, int32_t& permutations,
                            const char* what_permutations);

// The generator, seeded as --seed says or from the clock as the dialogue seeds it; the seeds
// are written to standard error.
clonal::Random seeded_random(const ResamplingOptions& options,
                             const clonal::cli::Terminal& terminal);

}  // namespace marsyl::cli
