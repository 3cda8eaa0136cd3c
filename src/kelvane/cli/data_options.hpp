// What every kelvane command reads: the data file and how its distance matrix is made, from a
// model with its settings (the settings the dialogue's menus offer) or imported from a file.
#pragma once

#include <CLI/CLI.hpp>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::cli {

struct DataOptions {
    std::string data;
    // The format of DATA and the settings of formats whose files leave them open.
    std::string format = "auto";
    int structure_rows = 2;
    std::string structure_columns = "label,population";
    bool structure_header = false;
    int ploidy = 0;  // 0: not given
    double min_call_rate = 0.0;
    std::vector<std::string> missing_codes;
    std::string populations;
    // The options themselves, to tell whether the user gave them.
    std::array<CLI::Option*, 3> structure_options{};
    CLI::Option* min_call_rate_option = nullptr;

    ModelChoice model;
    bool unrounded = false;  // groupings on the model's real distances
    std::string matrix;
    std::string matrix_layout = "auto";
    double matrix_scale = 0.0;  // 0: whole numbers
};

// The files the options read (DATA, --populations, --matrix, a --repeat-lengths file), which no
// result may replace.
std::vector<std::string> input_files(const DataOptions& options);

// What a distance counts under the options, for the titles of axes: "steps", "mutations".
std::string distance_unit(const DataOptions& options, const MarkerData& data);

// The model options as words of a command line, the defaults included, so that a command written
// from them computes the same matrix: "--distance stepwise --missing not-counted".
std::vector<std::string> model_arguments(const DataOptions& options);

// DATA and the data options alone: the format and its settings.
void add_data_argument(CLI::App& command, DataOptions& options);

// The format options without DATA, the format named by format_flag (--format, or --from for
// kelvane convert).
void add_format_options(CLI::App& command, DataOptions& options, const std::string& format_flag);

// DATA, the model options and --matrix.
void add_model_options(CLI::App& command, DataOptions& options);

// --unrounded of the commands that group: clones, thresholds, suggest, network, psex and ia.
void add_unrounded_option(CLI::App& command, DataOptions& options);

// What the library reads: DATA in its format with its settings and --populations. A format
// setting given that the format does not read is a UsageError.
DataInput data_input(const DataOptions& options);

// Where the distances come from: the model options or --matrix. Model options beside --matrix,
// or --matrix-scale without it, are a UsageError.
DistanceInput distance_input(const DataOptions& options);

// The marker data set of DATA in its format, with the populations of --populations; bad data are
// an error naming the file and the line and column (or the site and sample of a VCF file), a
// format setting that does not go with the format a UsageError. threads: as --threads gives them
// (0: every core); with two or more, a VCF file is decompressed by workers of its own.
MarkerData read_data(const DataOptions& options, int threads = 1);

// The same, writing what the reader has to tell (alleles shifted, sites left out) to standard
// error as "kelvane: note: ...".
MarkerData read_data(const DataOptions& options, const clonal::cli::Terminal& terminal,
                     int threads = 1);

// The model of the options, or nothing for --matrix. A setting the model does not take, or a
// value out of range, is an error of kind kSetting naming the option (status 2); data the model
// cannot take are an error naming DATA.
std::optional<DistanceModel> input_model(const DataOptions& options, const MarkerData& data);

// What the reader of distances under the options should know, to standard error as
// "kelvane: note: ...": repeat lengths that are a guess, loci whose sizes are off the repeat.
void write_distance_notes(const DataOptions& options, const MarkerData& data,
                          const clonal::cli::Terminal& terminal);

// The distance matrix of the data: computed with the model (progress shown as the options say)
// or imported, with the errors of the library's distance_matrix (a matrix larger than the
// machine's memory among them).
DistanceMatrix distance_matrix(const DataOptions& options, const MarkerData& data,
                               const clonal::cli::CommonOptions& common,
                               const clonal::cli::Terminal& terminal);

// For an analysis that computes the distances itself, a band at a time: writes the notes on the
// distances and runs analyse with the threads and a progress bar of the distances.
void with_distance_progress(const DataOptions& options, const MarkerData& data,
                            const clonal::cli::CommonOptions& common,
                            const clonal::cli::Terminal& terminal,
                            const std::function<void(const clonal::WorkSettings&)>& analyse);

// The same matrix a band of rows at a time (see DistanceMatrix), so that a result written row by
// row needs no n x n matrix: band_done gets each band, in order, its pairs (i, j < i) filled.
// A small data set or an imported matrix comes as one whole matrix.
void for_each_distance_band(const DataOptions& options, const MarkerData& data,
                            const clonal::cli::CommonOptions& common,
                            const clonal::cli::Terminal& terminal,
                            const std::function<void(const DistanceMatrix&)>& band_done);

}  // namespace kelvane::cli
