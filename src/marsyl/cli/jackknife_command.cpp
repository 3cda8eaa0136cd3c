// marsyl jackknife: every index of every population over subsamples of increasing size, with
// its lower and upper limits, in the dialogue's order of draws.
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/jackknife.hpp"

namespace marsyl {
namespace {

struct JackknifeOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    ResamplingOptions resampling;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<JackknifeOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, 100,
                           "the number of subsamples of every size");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::Random random = seeded_random(options->resampling, terminal);
        ClonalInput input = read_clonal_input(options->clonal);
        clonal::ClonalData& data = input.data;
        JackknifeWorkspace workspace(options->resampling.permutations);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "jackknife");
        std::vector<JackknifeCurve> curves;
        for (int32_t p = 1; p <= data.populations; ++p) {
            curves.push_back(jackknife_population(data.genotypes[static_cast<std::size_t>(p)],
                                                  random, workspace, bar.report()));
        }
        bar.finish();
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"population", "size",    "gen",     "gen_low", "gen_up",
                        "eff",        "eff_low", "eff_up",  "div",     "div_low",
                        "div_up",     "eve",     "eve_low", "eve_up",  "shw",
                        "shw_low",    "shw_up",  "shc",     "shc_low", "shc_up"});
            for (int32_t p = 1; p <= data.populations; ++p) {
                const JackknifeCurve& curve = curves[static_cast<std::size_t>(p - 1)];
                const std::string& name = data.names[static_cast<std::size_t>(p)];
                for (std::size_t r = 0; r < curve.rows.size(); ++r) {
                    tsv.text(name).integer(static_cast<int64_t>(r) + 2);
                    for (int k = 0; k < kIndexCount; ++k) {
                        tsv.real(curve.rows[r].mean[k])
                            .real(curve.rows[r].low[k])
                            .real(curve.rows[r].up[k]);
                    }
                    tsv.end_row();
                }
                // The whole sample, which has no spread.
                tsv.text(name).integer(data.size(p));
                for (int k = 0; k < kIndexCount; ++k) {
                    tsv.real(curve.whole[k]).missing().missing();
                }
                tsv.end_row();
            }
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"jackknife", "every index over subsamples of increasing size, with its limits", 40, setup}};

}  // namespace
}  // namespace marsyl
