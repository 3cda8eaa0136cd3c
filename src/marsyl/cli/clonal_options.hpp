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

namespace marsyl {

struct ClonalInput {
    clonal::ClonalData data;
    int32_t largest_genotype = 0;
};

void add_clonal_argument(CLI::App& command, std::string& file);

// The data set of the file; bad data are a DataError naming the file and line.
ClonalInput read_clonal_input(const std::string& file);

// The numbers of permutations and subsamples when --permutations is not given.
inline constexpr int32_t kBootstrapPermutations = 1000;
inline constexpr int32_t kDifferentiationPermutations = 1000;
inline constexpr int32_t kJackknifeSubsamples = 100;

struct ResamplingOptions {
    int32_t permutations = 0;
    clonal::cli::SeedOption seeds;
};

// --permutations (with its default) and --seed.
void add_resampling_options(CLI::App& command, ResamplingOptions& options,
                            int32_t default_permutations, const char* what_permutations);

// The generator, seeded as --seed says or from the clock as the dialogue seeds it; the seeds
// are written to standard error.
clonal::Random seeded_random(const ResamplingOptions& options,
                             const clonal::cli::Terminal& terminal);

}  // namespace marsyl
