// kelvane clones: every individual's clonal genotype at a threshold, and the files the dialogue's
// save menu writes from it (marsyl's input and the genotypes file).

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/missing_data_note.hpp"
#include "kelvane/grouping/genotype_files.hpp"

namespace kelvane {
namespace {

struct ClonesOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    int32_t threshold = 0;
    std::string clonal_file;
    std::string genotypes_file;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ClonesOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--threshold", options->threshold,
                    "individuals linked by distances at or below it share a clonal genotype")
        ->check(clonal::cli::whole_number(0))
        ->required();
    command.add_option("--clonal", options->clonal_file,
                       "also write marsyl's input, the Clonal genotype file, here");
    command.add_option("--genotypes", options->genotypes_file,
                       "also write the genotypes file (name and genotype of each individual) here");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile* clonal_file =
            options->clonal_file.empty() ? nullptr : &files.add("--clonal", options->clonal_file);
        clonal::cli::ResultFile* genotypes_file =
            options->genotypes_file.empty() ? nullptr
                                            : &files.add("--genotypes", options->genotypes_file);
        clonal::cli::ResultFile& table = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        const Genotypes genotypes = genotypes_at_threshold(matrix, options->threshold);
        std::string note;
        if (clonal_file != nullptr) {
            note = write_clonal_genotype_file_for_marsyl(data, genotypes, clonal_file->stream());
        }
        if (genotypes_file != nullptr) {
            write_genotypes_file(data, genotypes, genotypes_file->stream());
        }
        {
            clonal::TsvWriter tsv(table.stream());
            tsv.header({"individual", "population", "genotype"});
            for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
                tsv.text(data.ind_names[i])
                    .text(data.population_name(data.pop_vector[i]))
                    .integer(genotypes.numbers[i]);
                tsv.end_row();
            }
        }
        files.commit();
        if (const std::string missing = missing_data_note(
                options->data, data, genotypes, options->threshold, options->common, terminal);
            !missing.empty()) {
            terminal.err << "kelvane: note: " << clonal::cli::printable(missing) << '\n';
        }
        if (!note.empty()) {
            terminal.err << "kelvane: note: "
                         << clonal::cli::printable(note + ", " + options->clonal_file) << '\n';
        }
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"clones", "the clonal genotype of every individual at a threshold", 40, setup}};

}  // namespace
}  // namespace kelvane
