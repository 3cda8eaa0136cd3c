// marsyl indices: the indices of clonal diversity of every population, or with --partition the
// partitioning of diversity among the populations, as the dialogue's first choice computes them;
// with --extended the statistics of clone sizes that papers on clonal populations report, for
// every population and the total.
#include <array>
#include <memory>

#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/cli/population_rows.hpp"
#include "marsyl/core/diversity_partitioning.hpp"
#include "marsyl/core/extended/extended_indices.hpp"
#include "marsyl/core/extended/rarefaction.hpp"

namespace marsyl {
namespace {

struct IndicesOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    bool partition = false;
    bool extended = false;
    int64_t rarefy = 0;  // 0: the default size
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

struct ExtendedRow {
    ExtendedIndices indices;
    Rarefaction rarefaction;
};

// The rows of populations 1 to P and the total, each rarefied to sample individuals or, for
// sample 0, to the default size of the populations.
std::vector<ExtendedRow> extended_rows(const clonal::ClonalData& data, int64_t sample) {
    const std::vector<SizeSpectrum> spectra = population_spectra(data);
    if (sample == 0) {
        sample = default_rarefaction_size(
            std::span(spectra).first(static_cast<std::size_t>(data.populations)));
    }
    std::vector<ExtendedRow> rows;
    for (const SizeSpectrum& spectrum : spectra) {
        rows.push_back({extended_indices(spectrum), rarefy(spectrum, sample)});
    }
    return rows;
}

void write_extended(const clonal::ClonalData& data, const std::vector<ExtendedRow>& rows,
                    clonal::TsvWriter& tsv) {
    tsv.header({"population", "N", "G", "R", "H", "J", "simpson", "hill", "V", "lambda", "E5",
                "eMLG", "eMLG_se"});
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const ExtendedIndices& x = rows[row].indices;
        tsv.text(population_row_name(data, row)).integer(x.individuals).integer(x.genotypes);
        for (const double value :
             {x.richness, x.shannon, x.pielou, x.simpson, x.hill, x.evenness, x.lambda, x.e5,
              rows[row].rarefaction.expected_genotypes, rows[row].rarefaction.standard_error}) {
            tsv.real(value);
        }
        tsv.end_row();
    }
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<IndicesOptions>();
    add_clonal_argument(command, options->clonal);
    CLI::Option* partition_flag =
        command.add_flag("--partition", options->partition,
                         "the partitioning of diversity among the populations instead");
    CLI::Option* extended_flag = command.add_flag(
        "--extended", options->extended,
        "the statistics of clone sizes instead (N, G, R, H, J, simpson, hill, V, lambda, E5, "
        "eMLG, eMLG_se), for every population and the total");
    extended_flag->excludes(partition_flag);
    command
        .add_option("--rarefy", options->rarefy,
                    "the sample size N' of eMLG (default: the size of the smallest population, "
                    "but at least 10)")
        ->check(CLI::Range(int64_t{1}, int64_t{INT32_MAX}))
        ->needs(extended_flag);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const ClonalInput input = read_clonal_input(options->clonal);
        std::vector<ExtendedRow> extended;
        DiversityResults results;
        if (options->extended) {
            extended = extended_rows(input.data, options->rarefy);
        } else {
            results = diversity_results(input.data, input.largest_genotype);
        }
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            if (options->extended) {
                write_extended(input.data, extended, tsv);
            } else if (options->partition) {
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
