// kelvane suggest: thresholds suggested by the data, one row per method: the largest gap among
// the merge heights of the distinct genotypes, and the sexual floor from simulated offspring.
#include <memory>
#include <optional>

#include "common/cli/cli_errors.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/evidence/genotype_identity.hpp"
#include "kelvane/evidence/sexual_floor.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/largest_gap.hpp"

namespace kelvane {
namespace {

struct SuggestOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    double fraction = 0.5;
    double alpha = 0.01;
    int32_t simulations = 10000;
    clonal::cli::SeedOption seeds;
};

// The number of genotypes at a threshold, from the counts at every threshold where it changes.
int32_t genotypes_at(const std::vector<ThresholdCount>& counts, int32_t threshold) {
    int32_t genotypes = counts.front().genotypes;
    for (const ThresholdCount& count : counts) {
        if (count.threshold <= threshold) {
            genotypes = count.genotypes;
        }
    }
    return genotypes;
}

void write_row(clonal::TsvWriter& tsv, const char* method, std::optional<int32_t> low,
               std::optional<int32_t> high, const std::vector<ThresholdCount>& counts) {
    tsv.text(method);
    if (low && high) {
        tsv.integer(*low).integer(genotypes_at(counts, *low)).integer(*low).integer(*high);
    } else {
        tsv.missing().missing().missing().missing();
    }
    tsv.end_row();
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<SuggestOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--fraction", options->fraction,
                    "largest-gap: the share of the merge heights, from the smallest, searched "
                    "for the gap (more than 0, at most 1)")
        ->check(CLI::Range(0.0, 1.0))
        ->capture_default_str();
    command
        .add_option("--alpha", options->alpha,
                    "sexual-floor: the quantile of the distances between simulated offspring")
        ->check(CLI::Range(0.0, 1.0))
        ->capture_default_str();
    command
        .add_option("--simulations", options->simulations,
                    "sexual-floor: the number of simulated offspring (0: no sexual floor)")
        ->check(CLI::Range(0, 10000000))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        if (!(options->fraction > 0.0)) {
            throw clonal::cli::UsageError("--fraction takes a number above 0 and at most 1");
        }
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);

        const GenotypeClasses distinct = GenotypeIdentity(data).multilocus_genotypes();
        std::vector<int> representatives;
        for (int i = 0, next = 0; i < data.n_individuals; ++i) {
            if (distinct.class_of[static_cast<std::size_t>(i)] == next) {
                representatives.push_back(i);
                ++next;
            }
        }
        const std::vector<int32_t> heights = merge_heights(matrix, representatives);
        const std::optional<HeightGap> gap = largest_gap(heights, options->fraction);
        // Offspring distances need a model: an imported matrix has none.
        std::optional<SexualFloor> floor;
        if (options->data.matrix.empty()) {
            floor = sexual_floor(data, distance_model(options->data, data), options->simulations,
                                 options->alpha, random, options->common.threads);
        }
        const std::vector<ThresholdCount> counts = genotype_counts(matrix);

        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"method", "threshold", "genotypes", "low", "high"});
            write_row(tsv, "largest-gap", gap ? std::optional(gap->low) : std::nullopt,
                      gap ? std::optional(gap->high) : std::nullopt, counts);
            write_row(tsv, "sexual-floor", floor ? std::optional(floor->low) : std::nullopt,
                      floor ? std::optional(floor->high) : std::nullopt, counts);
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"suggest", "thresholds suggested by the merge heights and by simulated sexual offspring", 35,
     setup}};

}  // namespace
}  // namespace kelvane
