// kelvane distances: the matrix of pairwise distances, square (a row and a column per
// individual) or as one row per pair.
#include <algorithm>
#include <memory>

#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"

namespace kelvane {
namespace {

struct DistancesOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    std::string layout = "square";
};

void write_square(const MarkerData& data, const DistanceMatrix& matrix, clonal::TsvWriter& tsv) {
    tsv.text("individual");
    for (const std::string& name : data.ind_names) {
        tsv.text(name);
    }
    tsv.end_row();
    for (int i = 0; i < matrix.size(); ++i) {
        tsv.text(data.ind_names[static_cast<std::size_t>(i)]);
        for (const int32_t distance : matrix.row(i)) {
            tsv.integer(distance);
        }
        tsv.end_row();
    }
}

// The pairs in the order of the lower triangle: (1, 0), (2, 0), (2, 1), (3, 0), ...
// The pairs of the rows the matrix (or band of it) holds.
void write_pairs(const MarkerData& data, const DistanceMatrix& matrix, clonal::TsvWriter& tsv) {
    for (int i = std::max(matrix.first_row(), 1); i < matrix.end_row(); ++i) {
        for (int j = 0; j < i; ++j) {
            tsv.text(data.ind_names[static_cast<std::size_t>(i)])
                .text(data.ind_names[static_cast<std::size_t>(j)])
                .integer(matrix.at(i, j));
            tsv.end_row();
        }
    }
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<DistancesOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--layout", options->layout,
                    "square: a row and a column per individual; lower: a row per pair")
        ->check(CLI::IsMember({"square", "lower"}))
        ->capture_default_str();
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal);
        {
            clonal::TsvWriter tsv(output.stream());
            if (options->layout == "square") {
                write_square(data, distance_matrix(options->data, data, options->common, terminal),
                             tsv);
            } else {
                // A band of rows at a time: the pairs need no n x n matrix.
                tsv.header({"individual_a", "individual_b", "distance"});
                for_each_distance_band(
                    options->data, data, options->common, terminal,
                    [&](const DistanceMatrix& band) { write_pairs(data, band, tsv); });
            }
        }
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(), {"distances", "the matrix of pairwise distances", 10, setup}};

}  // namespace
}  // namespace kelvane
