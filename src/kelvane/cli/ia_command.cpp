// kelvane ia: the index of association Ia and rbarD of every population and of all individuals,
// with the permutation test that shuffles each locus's genotypes among the individuals.
#include <algorithm>
#include <memory>
#include <unordered_set>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/evidence/association_index.hpp"
#include "kelvane/evidence/genotype_identity.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"

namespace kelvane {
namespace {

struct IaOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    int64_t permutations = 999;
    bool clone_correct = false;
    int32_t threshold = -1;
    clonal::cli::SeedOption seeds;
};

void write_row(clonal::TsvWriter& tsv, const std::string& population, const AssociationTest& test) {
    tsv.text(population)
        .integer(test.individuals)
        .real(test.ia)
        .real(test.rbard)
        .real(test.p_ia)
        .real(test.p_rbard);
    tsv.end_row();
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<IaOptions>();
    add_model_options(command, options->data);
    command.add_option("--permutations", options->permutations, "the number of permutations")
        ->check(clonal::cli::whole_number(0, 100000000))
        ->capture_default_str();
    command.add_flag("--clone-correct", options->clone_correct,
                     "keep only the first individual of each genotype in each population");
    command
        .add_option("--threshold", options->threshold,
                    "with --clone-correct: genotypes are the clonal genotypes at this threshold "
                    "under the model options (default: identical data)")
        ->check(clonal::cli::whole_number(0));
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        if (options->threshold >= 0 && !options->clone_correct) {
            throw clonal::cli::UsageError("--threshold goes with --clone-correct only");
        }
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        std::vector<int32_t> genotypes;
        if (options->threshold >= 0) {
            const DistanceMatrix matrix =
                distance_matrix(options->data, data, options->common, terminal);
            genotypes = genotypes_at_threshold(matrix, options->threshold).numbers;
        } else if (options->clone_correct) {
            genotypes = GenotypeIdentity(data).multilocus_genotypes().class_of;
        }
        clonal::cli::record_seeds(terminal, random);
        // The sample of each population, clone-corrected within it; all samples together. An
        // individual outside the declared populations (number 0, negative or too large) counts
        // in the total only, clone-corrected among the others outside.
        const auto populations = static_cast<std::size_t>(data.n_populations);
        std::vector<std::vector<int>> samples(populations + 1);
        std::vector<std::unordered_set<int32_t>> seen(samples.size());
        std::vector<int> everyone;
        for (int i = 0; i < data.n_individuals; ++i) {
            const int32_t population = data.pop_vector[static_cast<std::size_t>(i)];
            const std::size_t p = population >= 1 && population <= data.n_populations
                                      ? static_cast<std::size_t>(population - 1)
                                      : populations;
            if (!genotypes.empty() &&
                !seen[p].insert(genotypes[static_cast<std::size_t>(i)]).second) {
                continue;
            }
            samples[p].push_back(i);
            everyone.push_back(i);
        }
        samples.pop_back();
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "permutations");
        std::vector<AssociationTest> tests;
        for (const std::vector<int>& sample : samples) {
            tests.push_back(association_test(data, sample, options->permutations, random,
                                             options->common.threads, bar.report()));
        }
        // A population that holds every individual is the whole sample: its test is the total's.
        const auto whole = std::find(samples.begin(), samples.end(), everyone);
        tests.push_back(whole != samples.end()
                            ? tests[static_cast<std::size_t>(whole - samples.begin())]
                            : association_test(data, everyone, options->permutations, random,
                                               options->common.threads, bar.report()));
        bar.finish();
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"population", "n", "ia", "rbard", "p_ia", "p_rbard"});
            for (int p = 1; p <= data.n_populations; ++p) {
                write_row(tsv, data.population_name(p), tests[static_cast<std::size_t>(p - 1)]);
            }
            write_row(tsv, "total", tests.back());
        }
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"ia", "the index of association and rbarD of every population, with a permutation test", 90,
     setup}};

}  // namespace
}  // namespace kelvane
