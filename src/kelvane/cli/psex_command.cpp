// kelvane psex: for every individual whose genotype occurs more than once, the probability of
// its genotype (Pgen) and the probability that its encounter arose by a separate sexual event
// (Psex), optionally with a p-value by simulation.
#include <map>
#include <memory>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/result_files.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/results/evidence/psex_results.hpp"

namespace kelvane {
namespace {

struct PsexOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    int32_t threshold = -1;
    std::string frequencies = "round-robin";
    std::string fill = "genets";
    bool by_population = false;
    bool fis = false;
    std::string method = "multiple";
    int32_t simulations = 0;
    clonal::cli::SeedOption seeds;
};

const std::map<std::string, FrequencySource> kSources{
    {"ramet", FrequencySource::kRamets},
    {"genet", FrequencySource::kGenets},
    {"round-robin", FrequencySource::kRoundRobin}};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<PsexOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--threshold", options->threshold,
                    "genotypes are the clonal genotypes at this threshold under the model "
                    "options (default: identical data)")
        ->check(clonal::cli::whole_number(0));
    command
        .add_option("--frequencies", options->frequencies,
                    "allele frequencies from every individual (ramet), from the first of every "
                    "genotype (genet) or, per locus, from the first of every genotype over the "
                    "other loci (round-robin)")
        ->check(CLI::IsMember({"ramet", "genet", "round-robin"}))
        ->capture_default_str();
    command
        .add_option("--rr-fill", options->fill,
                    "the frequency of an allele the chosen individuals lack: 1/(P x genotypes) "
                    "(genets) or 1/individuals (samples)")
        ->check(CLI::IsMember({"genets", "samples"}))
        ->capture_default_str();
    command.add_flag("--by-population", options->by_population,
                     "frequencies, encounter ranks and N per population");
    command.add_flag("--fis", options->fis,
                     "genotype probabilities with each locus's inbreeding coefficient (diploid "
                     "data)");
    command
        .add_option("--method", options->method,
                    "single: 1-(1-Pgen)^G over the G distinct genotypes; multiple: the binomial "
                    "probability of the r-th encounter among N individuals")
        ->check(CLI::IsMember({"single", "multiple"}))
        ->capture_default_str();
    command
        .add_option("--simulations", options->simulations,
                    "simulated populations for the p-value of each Psex (0: none)")
        ->check(clonal::cli::whole_number(0, 100000000))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        clonal::Random random = seeded_random(options->seeds);
        PsexSettings settings;
        settings.frequencies = kSources.at(options->frequencies);
        settings.fill =
            options->fill == "samples" ? RareAlleleFill::kSamples : RareAlleleFill::kGenets;
        settings.by_population = options->by_population;
        settings.fis = options->fis;
        settings.method = options->method == "single" ? PsexMethod::kSingle : PsexMethod::kMultiple;
        settings.simulations = options->simulations;
        settings.threads = options->common.threads;

        const MarkerData data = read_data(options->data, terminal);
        if (const auto refusal = psex_refusal(data, settings)) {
            throw clonal::cli::DataError(clonal::cli::sentence_of(*refusal) + ", " +
                                         options->data.data);
        }
        const GenotypeIdentity identity(data);
        std::vector<int32_t> genotypes;
        if (options->threshold >= 0) {
            const DistanceMatrix matrix =
                distance_matrix(options->data, data, options->common, terminal);
            genotypes = genotypes_at_threshold(matrix, options->threshold).numbers;
        } else {
            genotypes = identical_data_genotypes(identity);
        }
        clonal::cli::record_seeds(terminal, random);
        const std::vector<PsexRow> rows = psex_table(data, identity, genotypes, settings, random);

        clonal::write_tsv(psex_result_table(data, rows, settings.simulations > 0), output.stream());
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"psex", "the probability that repeated genotypes arose by separate sexual events", 60, setup}};

}  // namespace
}  // namespace kelvane
