// kelvane amova: the simple AMOVA of the populations and the permutation test of its Phi-st.
#include <cctype>
#include <memory>

#include "common/cli/cli_errors.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "kelvane/amova/amova_permutations.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"

namespace kelvane {
namespace {

struct AmovaOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    int32_t permutations = 999;
    clonal::cli::SeedOption seeds;
};

void write_row(clonal::TsvWriter& tsv, const char* source, int32_t df, double ss, double variance,
               double total_variance) {
    tsv.text(source).integer(df).real(ss).real(variance).real((100 * variance) / total_variance);
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AmovaOptions>();
    add_model_options(command, options->data);
    command.add_option("--permutations", options->permutations, "the number of permutations")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        if (const auto refusal = amova_refusal(data.pop_vector, data.n_populations)) {
            std::string reason = refusal_sentence(*refusal);
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            throw clonal::cli::DataError(reason + ", " + options->data.data);
        }
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);
        const AmovaSample sample = amova_sample(data.pop_vector, data.n_populations);
        const SamplePairs pairs(matrix, sample.members);
        const AmovaTable table = observed_amova(pairs, sample);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "permutations");
        const AmovaPermutationTest test =
            amova_permutation_test(pairs, sample, table.phi_st, options->permutations, random,
                                   options->common.threads, {}, bar.report());
        bar.finish();
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"source", "df", "ss", "variance", "percent", "phi_st", "p", "p_smaller"});
            write_row(tsv, "within", table.df_within, table.ss_within, table.sigma2_within,
                      table.sigma2_total);
            tsv.missing().missing().missing();
            tsv.end_row();
            write_row(tsv, "among", table.df_among, table.ss_among, table.sigma2_among,
                      table.sigma2_total);
            tsv.real(table.phi_st).real(test.p_greater()).real(test.p_smaller());
            tsv.end_row();
            write_row(tsv, "total", table.df_total, table.ss_total, table.sigma2_total,
                      table.sigma2_total);
            tsv.missing().missing().missing();
            tsv.end_row();
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"amova", "the simple AMOVA of the populations with its permutation test", 50, setup}};

}  // namespace
}  // namespace kelvane
