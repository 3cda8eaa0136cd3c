// kelvane distances: the matrix of pairwise distances, square (a row and a column per
// individual) or as one row per pair.
#include <algorithm>
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/core/machine_memory.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"

namespace kelvane::cli {
namespace {

struct DistancesOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    std::string layout = "square";
    bool unrounded = false;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<DistancesOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--layout", options->layout,
                    "square: a row and a column per individual; lower: a row per pair")
        ->check(CLI::IsMember({"square", "lower"}))
        ->capture_default_str();
    command.add_flag("--unrounded", options->unrounded,
                     "write the real distances before the multiplier and rounding (two-phase: the "
                     "mean over loci, from 0 to 1)");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        {
            clonal::TsvWriter tsv(output.stream());
            const bool mismatch = options->data.model.distance == "mismatch";
            if (options->unrounded || mismatch || !options->data.model.partial_genotypes.empty()) {
                // Real values, and NA for pairs without a distance (partial genotypes without a
                // locus typed in both, mismatch pairs calling too few loci in common).
                write_distance_notes(options->data, data, terminal);
                clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                             "distances");
                const std::vector<double> values =
                    distance_values(data, distance_input(options->data), options->unrounded,
                                    {options->common.threads, bar.report()});
                bar.finish();
                if (options->layout == "square") {
                    write_square_values(data, values, tsv);
                } else {
                    write_value_pairs(data, values, tsv,
                                      shared_loci(data, distance_input(options->data),
                                                  {options->common.threads}));
                }
            } else if (options->layout == "square" &&
                       !matrix_memory_shortage(data.n_individuals, clonal::physical_memory())) {
                write_square_distances(
                    data, distance_matrix(options->data, data, options->common, terminal), tsv);
            } else if (options->layout == "square") {
                // Beyond the machine's memory: whole rows a band at a time, each pair computed
                // twice.
                write_distance_notes(options->data, data, terminal);
                clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                             "distances");
                write_square_header(data, tsv);
                for_each_square_band(
                    data, distance_input(options->data), {options->common.threads, bar.report()},
                    [&](const DistanceMatrix& rows) { write_square_rows(data, rows, tsv); });
                bar.finish();
            } else {
                // A band of rows at a time: the pairs need no n x n matrix.
                write_distance_pairs_header(tsv);
                for_each_distance_band(
                    options->data, data, options->common, terminal,
                    [&](const DistanceMatrix& band) { write_distance_pairs(data, band, tsv); });
            }
        }
        files.commit();
    };
}

}  // namespace

clonal::cli::Command distances_command() {
    return {"distances", "the matrix of pairwise distances", setup};
}

}  // namespace kelvane::cli
