// kelvane convert: a data file of any format kelvane reads written as a marker data file (which
// the dialogue reads), an FSTAT file or a GenAlEx sheet.
#include <memory>
#include <string>

#include "common/cli/cli_errors.hpp"
#include "common/cli/result_files.hpp"
#include "common/core/fatal_error.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/data/export/data_conversion.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"

namespace kelvane::cli {
namespace {

struct ConvertOptions {
    DataOptions data;
    std::string out;
    std::string to = "auto";
    clonal::cli::CommonOptions common;
};

// "marker, fstat or genalex": the formats with a writer.
std::string written_names() {
    std::vector<std::string_view> names;
    for (const FormatEntry& entry : data_formats()) {
        if (entry.write != nullptr) {
            names.push_back(entry.name);
        }
    }
    std::string words;
    for (std::size_t n = 0; n < names.size(); ++n) {
        words += n == 0 ? "" : n + 1 == names.size() ? " or " : ", ";
        words += names[n];
    }
    return words;
}

// The format to write: as --to names it, or told by the name of the output file.
DataFormat target_format(const ConvertOptions& options) {
    if (options.to != "auto") {
        return *format_named(options.to);
    }
    const DataFormat told = format_of_file_name(options.out);
    if (!can_write(told)) {
        throw clonal::cli::UsageError("convert writes " + written_names() +
                                      " files; --to names the format for '" + options.out + "'");
    }
    return told;
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ConvertOptions>();
    command.add_option("IN", options->data.data, "the data file to read (see --format)")
        ->required();
    command
        .add_option("OUT", options->out,
                    "the file to write (- for standard output); it is written in full or not at "
                    "all")
        ->required();
    add_format_options(command, options->data, "--format,--from");
    clonal::cli::add_work_options(command, options->common);
    std::vector<std::string> choices{"auto"};
    for (const FormatEntry& entry : data_formats()) {
        if (entry.write != nullptr) {
            choices.emplace_back(entry.name);
        }
    }
    command
        .add_option("--to", options->to,
                    "the format to write: " + written_names() +
                        " (marker: the marker data file the dialogue reads); auto: told by the "
                        "name of OUT, as for reading")
        ->check(CLI::IsMember(choices))
        ->capture_default_str();
    return [options](const clonal::cli::Terminal& terminal) {
        const DataFormat format = target_format(*options);
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("OUT", options->out);
        MarkerData data = read_data(options->data, terminal, options->common.threads);
        std::vector<std::string> notes;
        try {
            notes = write_data(std::move(data), format, output.stream());
        } catch (clonal::FatalError& error) {
            throw error.in_file(options->data.data);
        }
        files.commit();
        for (const std::string& note : notes) {
            terminal.err << "kelvane: note: " << clonal::cli::printable(note + ", " + options->out)
                         << "\n";
        }
    };
}

}  // namespace

clonal::cli::Command convert_command() {
    return {"convert", "a data file written as a marker data file, FSTAT file or GenAlEx sheet",
            setup};
}

}  // namespace kelvane::cli
