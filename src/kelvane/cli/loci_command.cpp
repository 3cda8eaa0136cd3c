// kelvane loci: how well each locus tells genotypes apart (alleles, genotypes, expected
// heterozygosity, probabilities of identity and their running products).
#include <memory>

#include "common/cli/cli_errors.hpp"
#include "common/cli/result_files.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/evidence/pascal_triangle.hpp"
#include "kelvane/results/evidence/loci_results.hpp"

namespace kelvane {
namespace {

struct LociOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<LociOptions>();
    // The model options are taken as by every command; no distance is computed here.
    add_model_options(command, options->data);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal);
        if (data.max_ploidy > kLargestPascalRow) {
            throw clonal::cli::DataError(
                "probabilities of identity need a maximum ploidy of at most 1000, " +
                options->data.data);
        }
        const std::vector<LocusStatistics> loci = locus_statistics(data);
        clonal::write_tsv(loci_table(data, loci), output.stream());
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"loci", "per locus: alleles, genotypes, expected heterozygosity, probability of identity", 70,
     setup}};

}  // namespace
}  // namespace kelvane
