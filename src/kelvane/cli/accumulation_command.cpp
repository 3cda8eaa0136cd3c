// kelvane accumulation: the number of distinct genotypes when only k of the loci are kept, for
// every k: the genotype accumulation curve.
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/evidence/genotype_accumulation.hpp"

namespace kelvane {
namespace {

struct AccumulationOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    int64_t draws = 1000;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AccumulationOptions>();
    // The model options are taken as by every command; no distance is computed here.
    add_model_options(command, options->data);
    command
        .add_option("--draws", options->draws,
                    "random subsets of k loci when there are more than this many subsets of k "
                    "(otherwise every subset is counted)")
        ->check(CLI::Range(int64_t{1}, int64_t{100000000}))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        clonal::cli::record_seeds(terminal, random);
        const GenotypeIdentity identity(data);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "loci");
        const std::vector<AccumulationPoint> curve = genotype_accumulation(
            identity, options->draws, random, options->common.threads, bar.report());
        bar.finish();
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"loci", "mean", "sd", "min", "max"});
            for (const AccumulationPoint& point : curve) {
                tsv.integer(point.loci)
                    .real(point.mean)
                    .real(point.sd)
                    .integer(point.min)
                    .integer(point.max);
                tsv.end_row();
            }
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"accumulation", "the number of distinct genotypes when k of the loci are kept", 80, setup}};

}  // namespace
}  // namespace kelvane
