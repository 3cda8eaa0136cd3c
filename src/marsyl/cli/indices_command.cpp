// marsyl indices: the indices of clonal diversity of every population, or with --partition the
// partitioning of diversity among the populations, as the dialogue's first choice computes them.
#include <array>
#include <memory>

#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/diversity_partitioning.hpp"

namespace marsyl {
namespace {

struct IndicesOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    bool partition = false;
};

void write_indices(const ClonalInput& input, const DiversityResults& results,
                   clonal::TsvWriter& tsv) {
    tsv.header({"population", "n", "gen", "eff", "div", "eve", "shw", "shc", "diu"});
    for (int32_t p = 1; p <= input.data.populations; ++p) {
        const PopulationIndices& row = results.populations[static_cast<std::size_t>(p - 1)];
        tsv.text(input.data.names[static_cast<std::size_t>(p)]).integer(input.data.size(p));
        for (const double value : row.indices) {
            tsv.real(value);
        }
        tsv.real(row.diu);
        tsv.end_row();
    }
}

// Undefined (NA) for a single population, which has nothing to partition.
void write_partitioning(const ClonalInput& input, const DiversityResults& results,
                        clonal::TsvWriter& tsv) {
    const Partitioning& part = results.partitioning;
    const std::array<std::pair<const char*, const std::array<double, 3>*>, 4> rows{
        {{"total", &part.total},
         {"within", &part.within},
         {"g_st", &part.g_st},
         {"g_st_corrected", &part.g_st_corrected}}};
    tsv.header({"component", "div", "shw", "shc"});
    for (const auto& [name, values] : rows) {
        tsv.text(name);
        for (const double value : *values) {
            if (input.data.populations > 1) {
                tsv.real(value);
            } else {
                tsv.missing();
            }
        }
        tsv.end_row();
    }
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<IndicesOptions>();
    add_clonal_argument(command, options->clonal);
    command.add_flag("--partition", options->partition,
                     "the partitioning of diversity among the populations instead");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const ClonalInput input = read_clonal_input(options->clonal);
        const DiversityResults results = diversity_results(input.data, input.largest_genotype);
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            if (options->partition) {
                write_partitioning(input, results, tsv);
            } else {
                write_indices(input, results, tsv);
            }
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"indices", "the indices of clonal diversity of every population", 10, setup}};

}  // namespace
}  // namespace marsyl
