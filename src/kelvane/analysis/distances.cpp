// The distances of a run, computed or imported.
#include "kelvane/analysis/distances.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "common/core/machine_memory.hpp"
#include "kelvane/data/data_subset.hpp"
#include "kelvane/distance/mismatch_distance.hpp"
#include "kelvane/distance/repeat_units.hpp"

namespace kelvane {
namespace {

// Rows of the matrix computed at once when the whole matrix is not needed: 32 million cells; for
// the distinct genotypes of a grouping, 128 million.
constexpr int64_t kBandCells = int64_t{1} << 25;
constexpr int64_t kDistinctBandCells = int64_t{1} << 27;

void fill(const MarkerData& data, const DistanceModel& model, DistanceMatrix& matrix, int threads,
          const clonal::ProgressReport& progress) {
    DistanceOptions options;
    options.threads = threads;
    options.progress = progress;
    if (compute_distances(data, matrix, model, options) != DistanceResult::kDone) {
        throw clonal::FatalError(
            "a distance exceeds 2147483647 and does not fit the matrix; choose another model or "
            "other settings",
            clonal::ErrorKind::kLimit);
    }
}

DistanceMatrix imported(const MarkerData& data, const MatrixFileInput& matrix) {
    const std::string content = clonal::read_input_file(matrix.file);
    try {
        return read_matrix_file(content, data.ind_names, matrix.settings);
    } catch (clonal::FatalError& error) {
        throw error.in_file(matrix.file);
    }
}

}  // namespace

std::optional<DistanceModel> input_model(const DistanceInput& input, const MarkerData& data) {
    if (input.matrix) {
        return std::nullopt;
    }
    return model_of(input.model, data);
}

std::string input_unit(const DistanceInput& input, const MarkerData& data) {
    const std::optional<DistanceModel> model = input_model(input, data);
    if (model && input.unrounded && scaled_in_matrix(model->kind)) {
        return std::string(model_entry(model->kind).name) + " distance, 0 to 1";
    }
    return model ? distance_unit(*model) : "as imported";
}

std::vector<std::string> distance_notes(const MarkerData& data, const DistanceInput& input) {
    const std::optional<DistanceModel> model = input_model(input, data);
    return model ? repeat_unit_notes(data, model->repeat_units) : std::vector<std::string>{};
}

std::optional<std::string> matrix_memory_shortage(int64_t individuals, uint64_t memory) {
    const auto needed =
        static_cast<uint64_t>(individuals) * static_cast<uint64_t>(individuals) * sizeof(int32_t);
    if (memory == 0 || needed <= memory) {
        return std::nullopt;
    }
    return "the distance matrix of " + std::to_string(individuals) + " individuals needs " +
           clonal::memory_size(needed) + ", more than the " + clonal::memory_size(memory) +
           " of this machine";
}

std::optional<std::string> matrix_memory_refusal(int64_t individuals, uint64_t memory) {
    const std::optional<std::string> shortage = matrix_memory_shortage(individuals, memory);
    if (!shortage) {
        return std::nullopt;
    }
    return *shortage +
           "; the clones, thresholds, suggestions, histogram and network under single linkage, "
           "psex and ia at a threshold, the report without its AMOVA and the distances as pairs "
           "work without it";
}

DistanceMatrix distance_matrix(const MarkerData& data, const DistanceInput& input,
                               const clonal::WorkSettings& work) {
    if (auto refusal = matrix_memory_refusal(data.n_individuals, clonal::physical_memory())) {
        throw clonal::FatalError(*refusal, clonal::ErrorKind::kMemory);
    }
    if (input.matrix) {
        return imported(data, *input.matrix);
    }
    const DistanceModel model = model_of(input.model, data);
    DistanceMatrix matrix(data.n_individuals);
    fill(data, model, matrix, work.threads, work.progress);
    return matrix;
}

namespace {

// The distances under the model a band of at most band_cells cells at a time.
void model_bands(const MarkerData& data, const DistanceModel& model,
                 const clonal::WorkSettings& work,
                 const std::function<void(const DistanceMatrix&)>& band_done, int64_t band_cells) {
    const int n = data.n_individuals;
    const int rows =
        static_cast<int>(std::clamp<int64_t>(band_cells / std::max(n, 1), 1, std::max(n, 1)));
    const auto pairs_below = [](int64_t r) { return static_cast<uint64_t>(r * (r - 1) / 2); };
    const uint64_t all_pairs = pairs_below(n);
    DistanceMatrix band = DistanceMatrix::band_store(n, 0, std::min(n, rows));
    for (int first = 0; first < n; first += rows) {
        const int end = std::min(n, first + rows);
        band.reband(first, end);
        fill(data, model, band, work.threads, [&](uint64_t done, uint64_t) {
            if (work.progress) {
                work.progress(pairs_below(first) + done, all_pairs);
            }
        });
        band_done(band);
    }
}

void bands_of(const MarkerData& data, const DistanceInput& input, const clonal::WorkSettings& work,
              const std::function<void(const DistanceMatrix&)>& band_done, int64_t band_cells) {
    if (input.matrix) {
        band_done(distance_matrix(data, input, work));
        return;
    }
    model_bands(data, model_of(input.model, data), work, band_done, band_cells);
}

}  // namespace

void for_each_distance_band(const MarkerData& data, const DistanceInput& input,
                            const clonal::WorkSettings& work,
                            const std::function<void(const DistanceMatrix&)>& band_done) {
    bands_of(data, input, work, band_done, kBandCells);
}

DistinctGenotypes distinct_genotypes_under(const MarkerData& data, const DistanceInput& input) {
    const std::string& missing = input.model.missing;
    return distinct_genotypes(data, missing != "not-counted" && missing != "one-mutation");
}

void for_each_distinct_band(const MarkerData& data, const DistinctGenotypes& distinct,
                            const DistanceInput& input, const clonal::WorkSettings& work,
                            const std::function<void(const DistanceMatrix&)>& band_done) {
    if (distinct.all_distinct()) {
        bands_of(data, input, work, band_done, kDistinctBandCells);
        return;
    }
    bands_of(data_subset(data, distinct.rows()), input, work, band_done, kDistinctBandCells);
}

void for_each_distinct_band(const MarkerData& data, const DistinctGenotypes& distinct,
                            const DistanceModel& model, const clonal::WorkSettings& work,
                            const std::function<void(const DistanceMatrix&)>& band_done) {
    model_bands(distinct.all_distinct() ? data : data_subset(data, distinct.rows()), model, work,
                band_done, kDistinctBandCells);
}

void for_each_square_band(const MarkerData& data, const DistanceInput& input,
                          const clonal::WorkSettings& work,
                          const std::function<void(const DistanceMatrix&)>& band_done,
                          int64_t band_cells) {
    if (input.matrix) {
        band_done(distance_matrix(data, input, work));
        return;
    }
    const DistanceModel model = model_of(input.model, data);
    const int n = data.n_individuals;
    const int64_t cells = band_cells > 0 ? band_cells : kBandCells;
    const int rows =
        static_cast<int>(std::clamp<int64_t>(cells / std::max(n, 1), 1, std::max(n, 1)));
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int first = 0; first < n; first += rows) {
        const int end = std::min(n, first + rows);
        const int band = end - first;
        // The others in their order, then the band's individuals: position of individual j.
        const auto position = [&](int j) {
            return j < first ? j : j >= end ? j - band : n - band + (j - first);
        };
        for (int j = 0; j < n; ++j) {
            order[static_cast<std::size_t>(position(j))] = j;
        }
        DistanceMatrix lower(n, n - band, n);
        fill(data_subset(data, order), model, lower, work.threads,
             [&](uint64_t done, uint64_t all) {
                 if (work.progress && all > 0) {
                     work.progress(static_cast<uint64_t>(first) * static_cast<uint64_t>(all) +
                                       done * static_cast<uint64_t>(band),
                                   static_cast<uint64_t>(n) * all);
                 }
             });
        DistanceMatrix whole_rows(n, first, end);
        for (int i = first; i < end; ++i) {
            const int row = position(i);
            for (int j = 0; j < n; ++j) {
                const int column = position(j);
                whole_rows.at(i, j) = row == column  ? 0
                                      : row > column ? lower.at(row, column)
                                                     : lower.at(column, row);
            }
        }
        band_done(whole_rows);
    }
}

void write_square_header(const MarkerData& data, clonal::TsvWriter& tsv) {
    tsv.text("individual");
    for (const std::string& name : data.ind_names) {
        tsv.text(name);
    }
    tsv.end_row();
}

void write_square_rows(const MarkerData& data, const DistanceMatrix& rows, clonal::TsvWriter& tsv) {
    for (int i = rows.first_row(); i < rows.end_row(); ++i) {
        tsv.text(data.ind_names[static_cast<std::size_t>(i)]);
        for (const int32_t distance : rows.row(i)) {
            tsv.integer(distance);
        }
        tsv.end_row();
    }
}

void write_square_distances(const MarkerData& data, const DistanceMatrix& matrix,
                            clonal::TsvWriter& tsv) {
    write_square_header(data, tsv);
    write_square_rows(data, matrix, tsv);
}

void write_distance_pairs_header(clonal::TsvWriter& tsv) {
    tsv.header({"individual_a", "individual_b", "distance"});
}

namespace {

// The names of the individuals as the first cells of a row (the name made a cell, then a tab),
// each in a slot of fixed width where it fits: a copy of the whole slot is a fixed number of
// vector moves, and the row goes on after the name's own length.
class NameCells {
  public:
    static constexpr std::size_t kSlot = 32;

    explicit NameCells(const std::vector<std::string>& names)
        : slots_(names.size() * kSlot, '\0'), lengths_(names.size()), cells_(names.size()) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            cells_[i] = clonal::TsvWriter::cell_text(names[i]).append("\t");
            lengths_[i] = cells_[i].size();
            if (lengths_[i] <= kSlot) {
                std::memcpy(slots_.data() + i * kSlot, cells_[i].data(), lengths_[i]);
            }
        }
    }

    // The longest a cell can take at out (which must have kSlot bytes of room beyond it).
    std::size_t longest() const { return std::max(kSlot, *std::ranges::max_element(lengths_)); }

    char* put(std::size_t i, char* out) const {
        if (lengths_[i] <= kSlot) {
            std::memcpy(out, slots_.data() + i * kSlot, kSlot);
        } else {
            std::memcpy(out, cells_[i].data(), lengths_[i]);
        }
        return out + lengths_[i];
    }

  private:
    std::vector<char> slots_;
    std::vector<std::size_t> lengths_;
    std::vector<std::string> cells_;
};

}  // namespace

void write_distance_pairs(const MarkerData& data, const DistanceMatrix& matrix,
                          clonal::TsvWriter& tsv) {
    if (data.ind_names.empty()) {
        return;
    }
    // Millions of rows: the names made cells once, the rows formatted in pieces.
    const NameCells names(data.ind_names);
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    // Room for one more row beyond the piece: two names, a distance and a line end.
    std::vector<char> piece(kPiece + 2 * names.longest() + 32);
    char* const start = piece.data();
    char* out = start;
    for (int i = std::max(matrix.first_row(), 1); i < matrix.end_row(); ++i) {
        const std::span<const int32_t> row = matrix.row(i);
        for (int j = 0; j < i; ++j) {
            out = names.put(static_cast<std::size_t>(i), out);
            out = names.put(static_cast<std::size_t>(j), out);
            out = std::to_chars(out, out + 16, row[static_cast<std::size_t>(j)]).ptr;
            *out++ = '\n';
            if (static_cast<std::size_t>(out - start) >= kPiece) {
                tsv.rows(std::string_view(start, static_cast<std::size_t>(out - start)));
                out = start;
            }
        }
    }
    tsv.rows(std::string_view(start, static_cast<std::size_t>(out - start)));
}

std::vector<double> distance_values(const MarkerData& data, const DistanceInput& input,
                                    bool unrounded, const clonal::WorkSettings& work) {
    if (input.matrix) {
        throw clonal::SettingError("{setting} goes with a distance model, not an imported matrix",
                                   "unrounded");
    }
    const DistanceModel model = model_of(input.model, data);
    if (model.kind == DistanceKind::kDice) {
        if (unrounded) {
            throw clonal::SettingError(
                "{setting} does not go with {distance} dice, which computes "
                "its distances rounded",
                "unrounded");
        }
        // Dice has no real values of its own: the matrix's, pair by pair.
        return lower_triangle(distance_matrix(data, input, work));
    }
    DistanceOptions options;
    options.threads = work.threads;
    options.progress = work.progress;
    std::vector<double> values = real_distances(data, model, options);
    if (values.empty() && data.n_individuals > 1) {
        throw clonal::FatalError(
            "a distance exceeds 2147483647; choose another model or other settings",
            clonal::ErrorKind::kLimit);
    }
    if (!unrounded && scaled_in_matrix(model.kind)) {
        const double multiplier = static_cast<double>(model.multiplier);
        for (double& value : values) {
            // As the matrix rounds them (NaN: a pair without a distance).
            value = std::isnan(value) ? value : std::trunc(value * multiplier + 0.5);
        }
    }
    return values;
}

GroupingDistances grouping_distances(const MarkerData& data, const DistanceInput& input,
                                     const clonal::WorkSettings& work) {
    if (!input.unrounded) {
        return whole_distances(distance_matrix(data, input, work));
    }
    return grouping_distances(data, distance_values(data, input, true, work));
}

GroupingDistances grouping_distances(const MarkerData& data, std::span<const double> values) {
    // A sorted copy of the real distances and the n x n ranks.
    const double n = data.n_individuals;
    clonal::check_memory_for("the real distances of " + std::to_string(data.n_individuals) +
                                 " individuals for a grouping",
                             12.0 * n * n);
    return ranked_distances(data.ind_names, values);
}

clonal::ResultTable& distance_cell(clonal::ResultTable& table, double distance, bool real) {
    return real ? table.real(distance) : table.integer(static_cast<int64_t>(distance));
}

void write_square_values(const MarkerData& data, const std::vector<double>& values,
                         clonal::TsvWriter& tsv) {
    tsv.text("individual");
    for (const std::string& name : data.ind_names) {
        tsv.text(name);
    }
    tsv.end_row();
    const auto value = [&](int i, int j) {
        if (i == j) {
            return 0.0;
        }
        const auto [row, column] = std::minmax(i, j);
        return values[static_cast<std::size_t>(column) * static_cast<std::size_t>(column - 1) / 2 +
                      static_cast<std::size_t>(row)];
    };
    for (int i = 0; i < data.n_individuals; ++i) {
        tsv.text(data.ind_names[static_cast<std::size_t>(i)]);
        for (int j = 0; j < data.n_individuals; ++j) {
            tsv.real(value(i, j));
        }
        tsv.end_row();
    }
}

void write_value_pairs(const MarkerData& data, const std::vector<double>& values,
                       clonal::TsvWriter& tsv, const std::vector<int32_t>& shared) {
    if (shared.empty()) {
        write_distance_pairs_header(tsv);
    } else {
        tsv.header({"individual_a", "individual_b", "distance", "shared_loci"});
    }
    std::size_t next = 0;
    for (int i = 1; i < data.n_individuals; ++i) {
        for (int j = 0; j < i; ++j, ++next) {
            tsv.text(data.ind_names[static_cast<std::size_t>(i)])
                .text(data.ind_names[static_cast<std::size_t>(j)])
                .real(values[next]);
            if (!shared.empty()) {
                tsv.integer(shared[next]);
            }
            tsv.end_row();
        }
    }
}

std::vector<int32_t> shared_loci(const MarkerData& data, const DistanceInput& input,
                                 const clonal::WorkSettings& work) {
    const std::optional<DistanceModel> model = input_model(input, data);
    if (!model || model->kind != DistanceKind::kMismatch) {
        return {};
    }
    DistanceOptions options;
    options.threads = work.threads;
    return shared_locus_counts(data, options);
}

}  // namespace kelvane
