// The distances of a run: the pairwise distances of the individuals computed under a distance
// model named in words, or imported from a matrix file.
//
// Units: whole numbers of what the model counts (distance_unit: steps, squared steps, the
// two-phase cost times its multiplier, mutations, 1 - Dice similarity times 100 or 100000), or
// as the imported file has them (times matrix_scale, rounded, when it holds real numbers).
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/model_catalogue.hpp"
#include "kelvane/grouping/distinct_genotypes.hpp"
#include "kelvane/grouping/grouping_distances.hpp"
#include "kelvane/matrix/distance_matrix.hpp"
#include "kelvane/matrix/matrix_file.hpp"

namespace kelvane {

// A matrix file to import: its names must be the data's individuals (matrix_file.hpp).
struct MatrixFileInput {
    std::string file;
    MatrixFileSettings settings;
};

// Where the distances come from: the model (the default: stepwise, missing copies not counted),
// or a matrix file when one is given. unrounded: the groupings (clones, thresholds, suggestions
// and the genotypes of the evidence for clones) work on the model's real distances
// (distance_values) with real thresholds in their unit, instead of the matrix's whole numbers.
struct DistanceInput {
    ModelChoice model;
    std::optional<MatrixFileInput> matrix;
    bool unrounded = false;
};

// The model of the input, checked against the data (model_of's errors); nothing for an imported
// matrix.
std::optional<DistanceModel> input_model(const DistanceInput& input, const MarkerData& data);

// What a reader of the distances the input gives should know, in sentences a face shows as notes:
// that the model's repeat lengths are a guess, and which loci have codes off the repeat
// (repeat_units.hpp). None for an imported matrix. Errors: those of input_model.
std::vector<std::string> distance_notes(const MarkerData& data, const DistanceInput& input);

// What a distance of the input counts: the model's unit, or "as imported".
std::string input_unit(const DistanceInput& input, const MarkerData& data);

// Why the n x n matrix of n individuals does not fit the given memory (bytes; 0: unknown): the
// memory it needs against the memory there is. Nothing when it fits.
std::optional<std::string> matrix_memory_shortage(int64_t individuals, uint64_t memory);

// Why an analysis that needs the matrix cannot run on a machine of the given memory: the
// shortage, and the analyses that work without the matrix. Nothing when it fits.
std::optional<std::string> matrix_memory_refusal(int64_t individuals, uint64_t memory);

// The matrix of the data's individuals. Errors: a matrix larger than this machine's memory is a
// FatalError of kind kMemory (matrix_memory_refusal) before anything is computed; those of
// input_model; a computed distance beyond 2147483647 is a FatalError of kind kLimit; a matrix file
// that cannot be read is of kind kFile, bad content names the file and line.
DistanceMatrix distance_matrix(const MarkerData& data, const DistanceInput& input,
                               const clonal::WorkSettings& work = {});

// The same matrix a band of rows at a time (see DistanceMatrix), so that a result written row by
// row needs no n x n matrix: band_done gets each band in order, its pairs (i, j < i) filled. A
// small data set or an imported matrix comes as one whole matrix.
void for_each_distance_band(const MarkerData& data, const DistanceInput& input,
                            const clonal::WorkSettings& work,
                            const std::function<void(const DistanceMatrix&)>& band_done);

// The same under a model made from a larger data set of which data is a part, so that the
// distances are those the larger data set gives its individuals.
void for_each_distinct_band(const MarkerData& data, const DistinctGenotypes& distinct,
                            const DistanceModel& model, const clonal::WorkSettings& work,
                            const std::function<void(const DistanceMatrix&)>& band_done);

// The distinct genotypes of the data for groupings under the input: a repeated genotype with
// missing copies keeps its own distance unless missing copies count nothing ("not-counted") or
// one mutation however many ("one-mutation"), under which identical genotypes lie at 0.
DistinctGenotypes distinct_genotypes_under(const MarkerData& data, const DistanceInput& input);

// The distances of the rows of the distinct genotypes (DistinctGenotypes::rows()) the same way,
// in bands of up to 128 million cells (512 MB), so that models whose preparation costs much (many
// loci) prepare few times: the data's own individuals when no genotype repeats.
void for_each_distinct_band(const MarkerData& data, const DistinctGenotypes& distinct,
                            const DistanceInput& input, const clonal::WorkSettings& work,
                            const std::function<void(const DistanceMatrix&)>& band_done);

// The rows of the matrix whole (every column), a band of rows at a time in increasing order,
// without the n x n matrix: each band's individuals are put after all others, so that their pairs
// (i, j < i) reach every column, and each pair is computed twice. band_cells: the cells of a band
// (0: 32 million). An imported matrix comes as one band.
void for_each_square_band(const MarkerData& data, const DistanceInput& input,
                          const clonal::WorkSettings& work,
                          const std::function<void(const DistanceMatrix&)>& band_done,
                          int64_t band_cells = 0);

// The matrix as a table: a header "individual" and the names, then a row per individual, its
// name and its distances.
void write_square_distances(const MarkerData& data, const DistanceMatrix& matrix,
                            clonal::TsvWriter& tsv);

// The same in parts: the header, then the rows of each band of whole rows.
void write_square_header(const MarkerData& data, clonal::TsvWriter& tsv);
void write_square_rows(const MarkerData& data, const DistanceMatrix& rows, clonal::TsvWriter& tsv);

// The header of the pairs: individual_a, individual_b, distance.
void write_distance_pairs_header(clonal::TsvWriter& tsv);

// The pairs (i, j < i) of the rows the matrix (or band of it) holds, in the order of the lower
// triangle: (1, 0), (2, 0), (2, 1), (3, 0), ...
void write_distance_pairs(const MarkerData& data, const DistanceMatrix& matrix,
                          clonal::TsvWriter& tsv);

// The distances of the model as real numbers, every pair (i, j < i) at i * (i - 1) / 2 + j.
// unrounded: before the multiplier and rounding (real_distances: the two-phase mean over loci, on
// a 0 to 1 scale); otherwise the whole numbers the matrix holds. Either way a pair without a
// distance (partial genotypes with no locus typed in both, which the matrix refuses) is NaN.
// An imported matrix, and Dice unrounded, are a SettingError naming {unrounded}.
std::vector<double> distance_values(const MarkerData& data, const DistanceInput& input,
                                    bool unrounded, const clonal::WorkSettings& work = {});

// The distances a grouping reads under the input: the matrix's whole numbers, or with unrounded
// the real distances by their ranks (grouping_distances.hpp: a pair without a distance joins at
// no threshold; distance_values's errors).
GroupingDistances grouping_distances(const MarkerData& data, const DistanceInput& input,
                                     const clonal::WorkSettings& work = {});
// The same from distance values already computed (every pair (i, j < i) at i * (i - 1) / 2 + j,
// NaN for a pair without a distance), held by their ranks.
GroupingDistances grouping_distances(const MarkerData& data, std::span<const double> values);

// A distance, threshold or height in a table's cell: a whole number, or a real one on real
// distances.
clonal::ResultTable& distance_cell(clonal::ResultTable& table, double distance, bool real);

// The values as write_square_distances and write_distance_pairs (its header included) write the
// matrix; NaN as NA. With the loci each pair calls in common (shared_loci), a column of them.
void write_square_values(const MarkerData& data, const std::vector<double>& values,
                         clonal::TsvWriter& tsv);
void write_value_pairs(const MarkerData& data, const std::vector<double>& values,
                       clonal::TsvWriter& tsv, const std::vector<int32_t>& shared = {});

// The loci each pair (i, j < i, at i * (i - 1) / 2 + j) calls in common under a model that reads
// them (mismatch); empty under the others.
std::vector<int32_t> shared_loci(const MarkerData& data, const DistanceInput& input,
                                 const clonal::WorkSettings& work);

}  // namespace kelvane
