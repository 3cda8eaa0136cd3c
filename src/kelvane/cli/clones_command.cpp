// kelvane clones: every individual's clonal genotype at a threshold, and the files the dialogue's
// save menu writes from it (marsyl's input and the genotypes file).
#include <memory>
#include <vector>

#include "common/cli/result_output.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
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
        ->check(CLI::NonNegativeNumber)
        ->required();
    command.add_option("--clonal", options->clonal_file,
                       "also write marsyl's input, the Clonal genotype file, here");
    command.add_option("--genotypes", options->genotypes_file,
                       "also write the genotypes file (name and genotype of each individual) here");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        const Genotypes genotypes = genotypes_at_threshold(matrix, options->threshold);
        // Every file is written in full before any of them takes its name.
        std::vector<std::unique_ptr<clonal::cli::ResultOutput>> outputs;
        if (!options->clonal_file.empty()) {
            outputs.push_back(
                std::make_unique<clonal::cli::ResultOutput>(options->clonal_file, terminal.out));
            write_clonal_genotype_file(data, genotypes, outputs.back()->stream());
        }
        if (!options->genotypes_file.empty()) {
            outputs.push_back(
                std::make_unique<clonal::cli::ResultOutput>(options->genotypes_file, terminal.out));
            write_genotypes_file(data, genotypes, outputs.back()->stream());
        }
        outputs.push_back(
            std::make_unique<clonal::cli::ResultOutput>(options->common.out, terminal.out));
        {
            clonal::TsvWriter tsv(outputs.back()->stream());
            tsv.header({"individual", "population", "genotype"});
            for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
                tsv.text(data.ind_names[i])
                    .text(data.population_name(data.pop_vector[i]))
                    .integer(genotypes.numbers[i]);
                tsv.end_row();
            }
        }
        for (const auto& output : outputs) {
            output->commit();
        }
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"clones", "the clonal genotype of every individual at a threshold", 40, setup}};

}  // namespace
}  // namespace kelvane
