// marsyl pareto: the Pareto index of the clone sizes of every population and of all of them.
#include <memory>

#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/extended/pareto_fit.hpp"
#include "marsyl/results/population_rows.hpp"

namespace marsyl {
namespace {

struct ParetoOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ParetoOptions>();
    add_clonal_argument(command, options->clonal);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const ClonalInput input = read_clonal_input(options->clonal);
        const std::vector<SizeSpectrum> spectra = population_spectra(input.data);
        std::vector<ParetoFit> fits;
        for (const SizeSpectrum& spectrum : spectra) {
            fits.push_back(pareto_fit(spectrum));
        }
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"population", "beta", "c", "r2", "points"});
            for (std::size_t row = 0; row < fits.size(); ++row) {
                const ParetoFit& fit = fits[row];
                tsv.text(population_row_name(input.data, row))
                    .real(fit.beta)
                    .real(fit.c)
                    .real(fit.r2)
                    .integer(fit.points);
                tsv.end_row();
            }
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"pareto", "the Pareto index of the clone sizes of every population", 12, setup}};

}  // namespace
}  // namespace marsyl
