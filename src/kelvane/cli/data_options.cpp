// The data and model options of kelvane's commands.
#include "kelvane/cli/data_options.hpp"

#include <algorithm>
#include <functional>
#include <thread>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/core/fatal_error.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"
#include "kelvane/distance/model_catalogue.hpp"
#include "kelvane/distance/repeat_units.hpp"

namespace kelvane::cli {
namespace {

using clonal::cli::UsageError;

// The format's own phrase for where a setting goes, for the message of one given to another.
std::string goes_with(std::string_view setting) {
    std::string formats;
    int readers = 0;
    bool all_text = true;
    for (const FormatEntry& entry : data_formats()) {
        if (format_reads(entry.format, setting)) {
            formats += formats.empty() ? "" : " or ";
            formats += entry.title;
            ++readers;
            all_text = all_text && entry.read_text != nullptr;
        }
    }
    if (readers > 1 && all_text) {
        return "the text formats";
    }
    return formats + " files only";
}

// The library's name of the setting an option sets: "--structure-rows" sets structure_rows.
std::string setting_of(const std::string& option) {
    std::string setting = option.substr(2);
    std::replace(setting.begin(), setting.end(), '-', '_');
    return setting;
}

// The settings of the format, refused when one given on the command line does not go with it.
FormatSettings format_settings(const DataOptions& options, DataFormat format) {
    for (const CLI::Option* option : options.structure_options) {
        if (option != nullptr && option->count() > 0 &&
            !format_reads(format, setting_of(option->get_name()))) {
            throw UsageError(option->get_name() + " goes with " +
                             goes_with(setting_of(option->get_name())));
        }
    }
    if (options.min_call_rate_option != nullptr && options.min_call_rate_option->count() > 0 &&
        !format_reads(format, "min_call_rate")) {
        throw UsageError("--min-call-rate goes with " + goes_with("min_call_rate"));
    }
    if (options.ploidy > 0 && !(format_reads(format, "ploidy") && options.structure_rows == 1)) {
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
    if (!options.missing_codes.empty() && !format_reads(format, "missing_codes")) {
        throw UsageError("--missing-code goes with " + goes_with("missing_codes") +
                         "; a VCF file marks missing copies itself");
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

// "marker, fstat, ... or vcf".
std::string format_names() {
    std::string names;
    const auto formats = data_formats();
    for (std::size_t f = 0; f < formats.size(); ++f) {
        names += f == 0 ? "" : f + 1 == formats.size() ? " or " : ", ";
        names += formats[f].name;
    }
    return names;
}

// ".dat FSTAT, .csv GenAlEx, ..., else the marker data file".
std::string suffix_rules() {
    std::string rules;
    for (const FormatEntry& entry : data_formats()) {
        if (entry.suffixes.empty()) {
            continue;
        }
        std::string suffixes;
        for (std::size_t s = 0; s < entry.suffixes.size(); ++s) {
            suffixes += s == 0 ? "" : s + 1 == entry.suffixes.size() ? " or " : ", ";
            suffixes += entry.suffixes[s];
        }
        rules += suffixes + " " + std::string(entry.title) + ", ";
    }
    return rules + "else the marker data file";
}

}  // namespace

void add_format_options(CLI::App& command, DataOptions& options, const std::string& format_flag) {
    std::vector<std::string> choices{"auto"};
    for (const FormatEntry& entry : data_formats()) {
        choices.emplace_back(entry.name);
    }
    command
        .add_option(format_flag, options.format,
                    "the format of the data file: " + format_names() +
                        "; auto: told by its name (" + suffix_rules() + ")")
        ->check(CLI::IsMember(choices))
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
            ->check(clonal::cli::setting_check("structure_rows"))
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
        ->check(clonal::cli::setting_check("ploidy"));
    options.min_call_rate_option =
        command
            .add_option("--min-call-rate", options.min_call_rate,
                        "VCF: leave out the sites called (every copy present) in a smaller share "
                        "of the samples")
            ->check(clonal::cli::setting_check("min_call_rate"))
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
    std::vector<std::string> models;
    std::string model_names;
    for (const ModelEntry& model : distance_models()) {
        models.emplace_back(model.name);
        model_names += model_names.empty() ? "" : ", ";
        model_names += model.name;
    }
    command.add_option("--distance", options.model.distance, "the distance model: " + model_names)
        ->check(CLI::IsMember(models))
        ->capture_default_str();
    std::string rules;
    for (const MissingRule& rule : missing_rules()) {
        std::string models_taking;
        for (const ModelEntry& model : distance_models()) {
            if (model_accepts(model.kind, rule.rule) && rule.rule != MissingData::kNotCounted) {
                models_taking += models_taking.empty() ? "" : ", ";
                models_taking += model.name;
            }
        }
        rules += std::string(rule.name) + (models_taking.empty() ? "" : " (" + models_taking + ")");
        rules += ", ";
    }
    command
        .add_option("--missing", options.model.missing,
                    "what a missing copy counts: " + rules + "or a number N of steps or mutations")
        ->capture_default_str();
    command.add_option("--multiplier", options.model.multiplier,
                       "two-phase, mismatch: the factor before rounding (default 100)");
    command.add_option("--base", options.model.base,
                       "two-phase: the base of the exponent, 1 or more (default 2)");
    command.add_option("--absence-code", options.model.absence_code,
                       "dice: the allele code of an absent band (default 8; negative: a scale of "
                       "100000)");
    command.add_option("--repeat-lengths", options.model.repeat_lengths,
                       "stepwise, squared, two-phase: count allele sizes in repeats of these "
                       "lengths: R1,R2,... in locus order, LOCUS=R,... by name, a file of "
                       "locus<TAB>length lines, or auto (guessed from the smallest difference "
                       "between codes)");
    command
        .add_option("--repeat-rounding", options.model.repeat_rounding,
                    "with --repeat-lengths: relative (round((size - smallest size of the locus) / "
                    "R), the default) or absolute (round(size / R), halves to even, as the R "
                    "peers do)")
        ->check(CLI::IsMember({"relative", "absolute"}));
    command
        .add_option("--partial-genotypes", options.model.partial_genotypes,
                    "two-phase between partial polyploid genotypes, compared at the larger number "
                    "of copies observed: the copies one lacks are infinite (cost 1), addition "
                    "(filled from its own copies), loss (from the other's) or combination (the "
                    "mean of both); loci missing in either are left out")
        ->check(CLI::IsMember({"infinite", "addition", "loss", "combination"}));
    command
        .add_option("--min-shared-loci", options.model.min_shared_loci,
                    "mismatch: pairs calling fewer loci in common have no distance (NA in "
                    "tables; default: half the loci)")
        ->check(clonal::cli::setting_check("min_shared_loci"));
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
        ->check(clonal::cli::setting_check("matrix_scale"));
}

std::vector<std::string> input_files(const DataOptions& options) {
    return {options.data, options.populations, options.matrix,
            repeat_lengths_file(options.model.repeat_lengths)};
}

std::string distance_unit(const DataOptions& options, const MarkerData& data) {
    return input_unit(distance_input(options), data);
}

std::vector<std::string> model_arguments(const DataOptions& options) {
    if (!options.matrix.empty()) {
        return {"--matrix", options.matrix, "--matrix-layout", options.matrix_layout};
    }
    const ModelChoice& model = options.model;
    std::vector<std::string> words{"--distance", model.distance, "--missing", model.missing};
    const std::pair<const char*, const std::string*> settings[] = {
        {"--multiplier", &model.multiplier},
        {"--base", &model.base},
        {"--absence-code", &model.absence_code},
        {"--repeat-lengths", &model.repeat_lengths},
        {"--repeat-rounding", &model.repeat_rounding},
        {"--partial-genotypes", &model.partial_genotypes},
        {"--min-shared-loci", &model.min_shared_loci}};
    for (const auto& [option, value] : settings) {
        if (!value->empty()) {
            words.emplace_back(option);
            words.push_back(*value);
        }
    }
    return words;
}

DataInput data_input(const DataOptions& options) {
    DataInput input;
    input.file = options.data;
    if (options.format != "auto") {
        input.format = format_named(options.format);
    }
    input.settings =
        format_settings(options, input.format ? *input.format : format_of_file_name(options.data));
    input.populations = options.populations;
    return input;
}

void add_unrounded_option(CLI::App& command, DataOptions& options) {
    command.add_flag("--unrounded", options.unrounded,
                     "group on the model's real distances, before any multiplier and rounding "
                     "(two-phase: the mean over loci, from 0 to 1), with a real --threshold");
}

DistanceInput distance_input(const DataOptions& options) {
    DistanceInput input;
    input.model = options.model;
    input.unrounded = options.unrounded;
    if (!options.matrix.empty()) {
        if (options.model != ModelChoice{}) {
            throw UsageError("--matrix imports the distances: it takes no model options");
        }
        MatrixFileInput matrix;
        matrix.file = options.matrix;
        matrix.settings.layout = options.matrix_layout == "square"  ? MatrixFileLayout::kSquare
                                 : options.matrix_layout == "lower" ? MatrixFileLayout::kLower
                                                                    : MatrixFileLayout::kAuto;
        if (options.matrix_scale > 0.0) {
            matrix.settings.scale = options.matrix_scale;
        }
        input.matrix = matrix;
    } else if (options.matrix_scale > 0.0) {
        throw UsageError("--matrix-scale goes with --matrix");
    }
    return input;
}

namespace {

// The input with the decompression workers the threads allow: all but the one that parses, at
// most four.
DataInput input_with_workers(const DataOptions& options, int threads) {
    DataInput input = data_input(options);
    const int workers =
        threads > 0 ? threads : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    input.threads = std::clamp(workers - 1, 0, 4);
    return input;
}

}  // namespace

MarkerData read_data(const DataOptions& options, int threads) {
    return read_data_file(input_with_workers(options, threads)).data;
}

MarkerData read_data(const DataOptions& options, const clonal::cli::Terminal& terminal,
                     int threads) {
    DataRead read = read_data_file(input_with_workers(options, threads));
    for (const std::string& note : read.notes) {
        terminal.err << "kelvane: note: " << clonal::cli::printable(note + ", " + options.data)
                     << "\n";
    }
    return std::move(read.data);
}

void write_distance_notes(const DataOptions& options, const MarkerData& data,
                          const clonal::cli::Terminal& terminal) {
    for (const std::string& note : distance_notes(data, distance_input(options))) {
        terminal.err << "kelvane: note: " << clonal::cli::printable(note) << "\n";
    }
}

std::optional<DistanceModel> input_model(const DataOptions& options, const MarkerData& data) {
    return input_model(distance_input(options), data);
}

DistanceMatrix distance_matrix(const DataOptions& options, const MarkerData& data,
                               const clonal::cli::CommonOptions& common,
                               const clonal::cli::Terminal& terminal) {
    const DistanceInput input = distance_input(options);
    write_distance_notes(options, data, terminal);
    clonal::cli::ProgressBar bar(terminal.err, common.shows_progress(terminal), "distances");
    return distance_matrix(data, input, {common.threads, bar.report()});
}

void with_distance_progress(const DataOptions& options, const MarkerData& data,
                            const clonal::cli::CommonOptions& common,
                            const clonal::cli::Terminal& terminal,
                            const std::function<void(const clonal::WorkSettings&)>& analyse) {
    write_distance_notes(options, data, terminal);
    clonal::cli::ProgressBar bar(terminal.err, common.shows_progress(terminal), "distances");
    analyse({common.threads, bar.report()});
    bar.finish();
}

void for_each_distance_band(const DataOptions& options, const MarkerData& data,
                            const clonal::cli::CommonOptions& common,
                            const clonal::cli::Terminal& terminal,
                            const std::function<void(const DistanceMatrix&)>& band_done) {
    const DistanceInput input = distance_input(options);
    write_distance_notes(options, data, terminal);
    clonal::cli::ProgressBar bar(terminal.err, common.shows_progress(terminal), "distances");
    for_each_distance_band(data, input, {common.threads, bar.report()}, band_done);
    bar.finish();
}

}  // namespace kelvane::cli
