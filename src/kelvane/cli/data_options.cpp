// The data and model options of kelvane's commands.
#include "kelvane/cli/data_options.hpp"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "common/text/characters.hpp"
#include "common/text/number_text.hpp"
#include "common/text/text_scanner.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/population_file.hpp"
#include "kelvane/distance/two_phase_distance.hpp"
#include "kelvane/matrix/matrix_file.hpp"

namespace kelvane {
namespace {

using clonal::cli::DataError;
using clonal::cli::UsageError;

const std::map<std::string, DistanceKind> kKinds{{"stepwise", DistanceKind::kStepwise},
                                                 {"squared", DistanceKind::kSquared},
                                                 {"two-phase", DistanceKind::kTwoPhase},
                                                 {"infinite-allele", DistanceKind::kInfiniteAllele},
                                                 {"dice", DistanceKind::kDice}};

const std::map<std::string, MissingData> kMissing{{"not-counted", MissingData::kNotCounted},
                                                  {"average", MissingData::kAverage},
                                                  {"infinite", MissingData::kInfinite},
                                                  {"one-mutation", MissingData::kOneMutation}};

float setting_at_least_one(const std::string& option, const std::string& text) {
    // Read as the dialogue reads it, once the whole text is known to be one number.
    const auto value = clonal::whole_double(text) ? clonal::leading_float(text) : std::nullopt;
    if (!value || !(*value >= 1.0f)) {
        throw UsageError(option + " takes a number of 1 or more, not '" + text + "'");
    }
    return *value;
}

std::string read_whole(const std::string& file) {
    auto content = clonal::read_file(file);
    if (!content) {
        throw DataError(file + ": cannot be read");
    }
    return std::move(*content);
}

// The settings of the format, refused when one given on the command line does not go with it.
FormatSettings format_settings(const DataOptions& options, DataFormat format) {
    const bool structure = format == DataFormat::kStructure;
    for (const CLI::Option* option : options.structure_options) {
        if (option != nullptr && option->count() > 0 && !structure) {
            throw UsageError(option->get_name() + " goes with STRUCTURE files only");
        }
    }
    if (options.min_call_rate_option != nullptr && options.min_call_rate_option->count() > 0 &&
        format != DataFormat::kVcf) {
        throw UsageError("--min-call-rate goes with VCF files only");
    }
    if (options.ploidy > 0 && !(structure && options.structure_rows == 1)) {
        throw UsageError(
            "--ploidy goes with STRUCTURE files of one row per individual "
            "(--structure-rows 1)");
    }
    FormatSettings settings;
    settings.structure_rows = options.structure_rows;
    settings.ploidy = options.ploidy > 0 ? options.ploidy : 2;
    settings.structure_header = options.structure_header;
    const auto columns = structure_columns_named(options.structure_columns);
    if (!columns) {
        throw UsageError(
            "--structure-columns takes label, population and skip separated by "
            "commas (label and population once at most), not '" +
            options.structure_columns + "'");
    }
    settings.structure_columns = *columns;
    settings.min_call_rate = options.min_call_rate;
    if (!options.missing_codes.empty() && format == DataFormat::kVcf) {
        throw UsageError(
            "--missing-code goes with the text formats; a VCF file marks missing "
            "copies itself");
    }
    for (const std::string& code : options.missing_codes) {
        if (code.empty() || code.find_first_of(" \t,;") != std::string::npos) {
            throw UsageError("--missing-code takes a code without blanks or separators, not '" +
                             code + "'");
        }
    }
    settings.missing_codes = options.missing_codes;
    return settings;
}

DataRead read_data_with_notes(const DataOptions& options) {
    const DataFormat format = options.format == "auto" ? format_of_file_name(options.data)
                                                       : *format_named(options.format);
    const FormatSettings settings = format_settings(options, format);
    DataRead read;
    if (format == DataFormat::kVcf) {
        if (!std::filesystem::is_regular_file(options.data)) {
            throw DataError(options.data + ": cannot be read");
        }
        try {
            read = read_data_vcf(options.data, settings, 0);
        } catch (const clonal::FatalError& error) {
            throw clonal::cli::file_error(options.data, error);
        }
    } else {
        std::string content = read_whole(options.data);
        // A guess of the format, kept for the message in case the file does not read as told.
        std::string looks_like;
        if (options.format == "auto") {
            if (const auto guess = format_of_content(content); guess && *guess != format) {
                looks_like = format_name(*guess);
            }
        }
        try {
            read = read_data_text(format, std::move(content), settings);
        } catch (const clonal::FatalError& error) {
            clonal::cli::DataError failure = clonal::cli::file_error(options.data, error);
            if (!looks_like.empty()) {
                throw clonal::cli::DataError(std::string(failure.what()) +
                                             " (the file looks like a " + looks_like +
                                             " file: give --format " + looks_like + ")");
            }
            throw failure;
        }
    }
    if (format == DataFormat::kFstat) {
        // An FSTAT header promises a number of samples (populations) that names nothing; those
        // beyond the largest a row names hold no one and are not kept.
        const int32_t largest =
            read.data.pop_vector.empty()
                ? 0
                : *std::max_element(read.data.pop_vector.begin(), read.data.pop_vector.end());
        if (largest < read.data.n_populations) {
            read.notes.push_back("the header declares " + std::to_string(read.data.n_populations) +
                                 " samples; rows name samples up to " + std::to_string(largest) +
                                 ", and those are kept");
            read.data.n_populations = std::max(largest, 1);
        }
    }
    if (!options.populations.empty()) {
        const std::string content = read_whole(options.populations);
        try {
            assign_populations(read.data, content);
        } catch (const clonal::FatalError& error) {
            throw clonal::cli::file_error(options.populations, error);
        }
    }
    return read;
}

}  // namespace

void add_format_options(CLI::App& command, DataOptions& options, const std::string& format_flag) {
    command
        .add_option(format_flag, options.format,
                    "the format of the data file: marker, fstat, genalex, genepop, structure or "
                    "vcf; auto: told by its name (.dat FSTAT, .csv GenAlEx, .gen Genepop, .str "
                    "STRUCTURE, .vcf, .vcf.gz or .bcf VCF, else the marker data file)")
        ->check(
            CLI::IsMember({"auto", "marker", "fstat", "genalex", "genepop", "structure", "vcf"}))
        ->capture_default_str();
    command
        .add_option("--missing-code", options.missing_codes,
                    "a further code of a missing copy in the text formats, such as -1, 999 or "
                    "? (repeat for more): a GenAlEx or STRUCTURE field equal to it, or an "
                    "allele of that value in any text format, is missing")
        ->allow_extra_args(false);
    options.structure_options[0] =
        command
            .add_option("--structure-rows", options.structure_rows,
                        "STRUCTURE: rows per individual, one allele copy per row (1: --ploidy "
                        "columns per locus)")
            ->check(clonal::cli::whole_number(1))
            ->capture_default_str();
    options.structure_options[1] =
        command
            .add_option("--structure-columns", options.structure_columns,
                        "STRUCTURE: the roles of the columns before the genotypes, from label, "
                        "population and skip, separated by commas")
            ->capture_default_str();
    options.structure_options[2] = command.add_flag("--structure-header", options.structure_header,
                                                    "STRUCTURE: the first line names the loci");
    command
        .add_option("--ploidy", options.ploidy,
                    "STRUCTURE with --structure-rows 1: the columns of every locus (default 2)")
        ->check(clonal::cli::whole_number(1));
    options.min_call_rate_option =
        command
            .add_option("--min-call-rate", options.min_call_rate,
                        "VCF: leave out the sites called (every copy present) in a smaller share "
                        "of the samples")
            ->check(clonal::cli::real_number(0.0, 1.0))
            ->capture_default_str();
    command.add_option("--populations", options.populations,
                       "a file of two columns, sample and population, giving the individuals "
                       "their populations (any format)");
}

void add_data_argument(CLI::App& command, DataOptions& options) {
    command
        .add_option("DATA", options.data,
                    "the data file: a marker data file, FSTAT, GenAlEx, Genepop, STRUCTURE or VCF "
                    "(see --format)")
        ->required();
    add_format_options(command, options, "--format");
}

void add_model_options(CLI::App& command, DataOptions& options) {
    add_data_argument(command, options);
    command
        .add_option("--distance", options.distance,
                    "the distance model: stepwise, squared, two-phase, infinite-allele or dice")
        ->check(CLI::IsMember({"stepwise", "squared", "two-phase", "infinite-allele", "dice"}))
        ->capture_default_str();
    command
        .add_option("--missing", options.missing,
                    "what a missing copy counts: not-counted, a number N of steps or mutations, "
                    "average (stepwise), infinite (two-phase) or one-mutation (infinite-allele)")
        ->capture_default_str();
    command.add_option("--multiplier", options.multiplier,
                       "two-phase: the factor before rounding (default 100)");
    command.add_option("--base", options.base,
                       "two-phase: the base of the exponent, 1 or more (default 2)");
    command.add_option("--absence-code", options.absence_code,
                       "dice: the allele code of an absent band (default 8; negative: a scale of "
                       "100000)");
    command.add_option("--matrix", options.matrix,
                       "import the distance matrix from this file instead of computing one");
    command
        .add_option("--matrix-layout", options.matrix_layout,
                    "the layout of --matrix: square, lower or auto (a table that kelvane "
                    "distances wrote, with its names, or told by the number of values)")
        ->check(CLI::IsMember({"auto", "square", "lower"}))
        ->capture_default_str();
    command
        .add_option("--matrix-scale", options.matrix_scale,
                    "read --matrix as real distances (such as 0 to 1), each multiplied by S and "
                    "rounded to a whole number")
        ->check(clonal::cli::positive_real());
}

std::vector<std::string> input_files(const DataOptions& options) {
    return {options.data, options.populations, options.matrix};
}

std::string amova_distance_note(const DataOptions& options) {
    if (!options.matrix.empty()) {
        return "the AMOVA takes the imported distances as squared Euclidean distances";
    }
    if (options.distance == "squared") {
        return {};
    }
    return "the AMOVA assumes squared Euclidean distances, as --distance squared gives; these "
           "are " +
           options.distance + " distances, which are not squared";
}

std::string distance_unit(const DataOptions& options) {
    if (!options.matrix.empty()) {
        return "as imported";
    }
    switch (kKinds.at(options.distance)) {
        case DistanceKind::kStepwise:
            return "steps";
        case DistanceKind::kSquared:
            return "squared steps";
        case DistanceKind::kTwoPhase:
            return "two-phase cost";
        case DistanceKind::kInfiniteAllele:
            return "mutations";
        case DistanceKind::kDice:
            break;
    }
    const auto code = clonal::whole_int(options.absence_code);
    return code && *code < 0 ? "1 - Dice similarity, x 100000" : "1 - Dice similarity, x 100";
}

std::vector<std::string> model_arguments(const DataOptions& options) {
    if (!options.matrix.empty()) {
        return {"--matrix", options.matrix, "--matrix-layout", options.matrix_layout};
    }
    std::vector<std::string> words{"--distance", options.distance, "--missing", options.missing};
    const std::pair<const char*, const std::string*> settings[] = {
        {"--multiplier", &options.multiplier},
        {"--base", &options.base},
        {"--absence-code", &options.absence_code}};
    for (const auto& [option, value] : settings) {
        if (!value->empty()) {
            words.emplace_back(option);
            words.push_back(*value);
        }
    }
    return words;
}

MarkerData read_data(const DataOptions& options) {
    return read_data_with_notes(options).data;
}

MarkerData read_data(const DataOptions& options, const clonal::cli::Terminal& terminal) {
    DataRead read = read_data_with_notes(options);
    for (const std::string& note : read.notes) {
        terminal.err << "kelvane: note: " << clonal::cli::printable(note + ", " + options.data)
                     << "\n";
    }
    return std::move(read.data);
}

DistanceModel distance_model(const DataOptions& options, const MarkerData& data) {
    DistanceModel model;
    model.kind = kKinds.at(options.distance);
    if (const auto missing = kMissing.find(options.missing); missing != kMissing.end()) {
        model.missing = missing->second;
    } else if (const auto steps = clonal::whole_int(options.missing); steps && *steps >= 0) {
        model.missing = MissingData::kSteps;
        model.missing_steps = *steps;
    } else {
        throw UsageError(
            "--missing takes not-counted, average, infinite, one-mutation or a number "
            "of 0 or more, not '" +
            options.missing + "'");
    }
    if (!model_accepts(model.kind, model.missing)) {
        throw UsageError("--missing " + options.missing + " does not go with --distance " +
                         options.distance);
    }
    const bool two_phase = model.kind == DistanceKind::kTwoPhase;
    if (two_phase && data.slots() > kTwoPhaseSlotLimit) {
        throw DataError(
            "two-phase distances match every copy of a locus genotype with every copy "
            "of the other, and a locus genotype here holds " +
            std::to_string(data.slots()) + " copy slots; at most " +
            std::to_string(kTwoPhaseSlotLimit) +
            " are matched. Give the real ploidy in the header, or choose another "
            "model, " +
            options.data);
    }
    if (!options.multiplier.empty()) {
        if (!two_phase) {
            throw UsageError("--multiplier goes with --distance two-phase only");
        }
        model.multiplier = setting_at_least_one("--multiplier", options.multiplier);
    }
    if (!options.base.empty()) {
        if (!two_phase) {
            throw UsageError("--base goes with --distance two-phase only");
        }
        model.base = setting_at_least_one("--base", options.base);
    }
    if (model.kind == DistanceKind::kDice) {
        if (!data.dice_offered) {
            throw UsageError(
                "--distance dice needs presence/absence data: one copy and one digit "
                "per allele, and at most two alleles at some locus");
        }
        if (!options.absence_code.empty()) {
            const auto code = clonal::whole_int(options.absence_code);
            if (!code) {
                throw UsageError("--absence-code takes an integer, not '" + options.absence_code +
                                 "'");
            }
            model.absence_code = *code;
        }
    } else if (!options.absence_code.empty()) {
        throw UsageError("--absence-code goes with --distance dice only");
    }
    return model;
}

namespace {

// Rows of the matrix computed at once when the whole matrix is not needed: 32 million cells.
constexpr int64_t kBandCells = int64_t{1} << 25;

clonal::cli::ProgressBar bar_for(const clonal::cli::CommonOptions& common,
                                 const clonal::cli::Terminal& terminal) {
    return clonal::cli::ProgressBar(terminal.err, common.shows_progress(terminal), "distances");
}

// Fills the rows of matrix with the model's distances.
void fill_distances(const DataOptions& options, const MarkerData& data,
                    const clonal::cli::CommonOptions& common, DistanceMatrix& matrix,
                    const clonal::ProgressReport& progress) {
    const DistanceModel model = distance_model(options, data);
    DistanceOptions fill;
    fill.threads = common.threads;
    fill.progress = progress;
    if (compute_distances(data, matrix, model, fill) != DistanceResult::kDone) {
        throw DataError(
            "a distance exceeds 2147483647 and does not fit the matrix; choose another "
            "model or other settings");
    }
}

}  // namespace

DistanceMatrix distance_matrix(const DataOptions& options, const MarkerData& data,
                               const clonal::cli::CommonOptions& common,
                               const clonal::cli::Terminal& terminal) {
    if (!options.matrix.empty()) {
        if (options.distance != "stepwise" || options.missing != "not-counted" ||
            !options.multiplier.empty() || !options.base.empty() || !options.absence_code.empty()) {
            throw UsageError("--matrix imports the distances: it takes no model options");
        }
        const std::string content = read_whole(options.matrix);
        MatrixFileSettings settings;
        settings.layout = options.matrix_layout == "square"  ? MatrixFileLayout::kSquare
                          : options.matrix_layout == "lower" ? MatrixFileLayout::kLower
                                                             : MatrixFileLayout::kAuto;
        if (options.matrix_scale > 0.0) {
            settings.scale = options.matrix_scale;
        }
        const auto where = [&](const clonal::FatalError& error) {
            return ", " + options.matrix +
                   (error.line() > 0 ? " line " + std::to_string(error.line()) : "");
        };
        try {
            return read_matrix_file(content, data.ind_names, settings);
        } catch (const NotWholeDistance& error) {
            throw DataError(clonal::cli::sentence_of(error) +
                            " (--matrix-scale S reads real distances times S)" + where(error));
        } catch (const clonal::FatalError& error) {
            throw DataError(clonal::cli::sentence_of(error) + where(error));
        }
    }
    if (options.matrix_scale > 0.0) {
        throw UsageError("--matrix-scale goes with --matrix");
    }
    DistanceMatrix matrix(data.n_individuals);
    clonal::cli::ProgressBar bar = bar_for(common, terminal);
    fill_distances(options, data, common, matrix, bar.report());
    return matrix;
}

void for_each_distance_band(const DataOptions& options, const MarkerData& data,
                            const clonal::cli::CommonOptions& common,
                            const clonal::cli::Terminal& terminal,
                            const std::function<void(const DistanceMatrix&)>& band_done) {
    const int n = data.n_individuals;
    if (!options.matrix.empty() || static_cast<int64_t>(n) * n <= kBandCells) {
        band_done(distance_matrix(options, data, common, terminal));
        return;
    }
    const int rows = static_cast<int>(std::max<int64_t>(1, kBandCells / n));
    clonal::cli::ProgressBar bar = bar_for(common, terminal);
    const auto pairs_below = [](int64_t r) { return static_cast<uint64_t>(r * (r - 1) / 2); };
    const uint64_t all_pairs = pairs_below(n);
    for (int first = 0; first < n; first += rows) {
        const int end = std::min(n, first + rows);
        DistanceMatrix band(n, first, end);
        const clonal::ProgressReport report = bar.report();
        fill_distances(options, data, common, band, [&](uint64_t done, uint64_t) {
            if (report) {
                report(pairs_below(first) + done, all_pairs);
            }
        });
        band_done(band);
    }
    bar.finish();
}
}  // namespace kelvane
