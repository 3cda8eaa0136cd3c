// kelvane loci: how well each locus tells genotypes apart (alleles, genotypes, expected
// heterozygosity, probabilities of identity and their running products).
#include <memory>

#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/loci.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"

namespace kelvane::cli {
namespace {

struct LociOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<LociOptions>();
    // The model options are taken as by every command; no distance is computed here, but
    // --repeat-lengths adds the share of each locus's sizes that are off the repeat.
    add_model_options(command, options->data);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        clonal::write_tsv(
            analysis::loci_table(data, analysis::loci(data),
                                 analysis::off_repeat_of(data, distance_input(options->data))),
            output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command loci_command() {
    return {"loci",
            "per locus: alleles, genotypes, expected heterozygosity, probability of identity",
            setup};
}

}  // namespace kelvane::cli
