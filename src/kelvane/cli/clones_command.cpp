// kelvane clones: every individual's clonal genotype at a threshold, and the files the dialogue's
// save menu writes from it (marsyl's input and the genotypes file).
#include <memory>
#include <string>
#include <vector>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/cli/threshold_option.hpp"
#include "kelvane/grouping/genotype_files.hpp"

namespace kelvane::cli {
namespace {

struct ClonesOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    analysis::ClonesSettings settings;
    ThresholdOption threshold;
    std::string clonal_file;
    std::string genotypes_file;
};

// What missing copies did, in words.
std::string missing_data_note(const analysis::MissingDataEffect& effect, double threshold,
                              int32_t genotypes) {
    return std::to_string(effect.joined) +
           (effect.joined == 1 ? " individual with missing copies shares"
                               : " individuals with missing copies share") +
           " a clonal genotype at threshold " + std::to_string(static_cast<int64_t>(threshold)) +
           " with individuals they differ from only where copies are missing (missing copies are "
           "not counted); " +
           (threshold == 0 ? std::string("the multilocus genotypes of identical data (a missing "
                                         "copy equal only to a missing copy) number ")
                           : std::string("counting each as one step (--missing 1) gives ")) +
           std::to_string(effect.genotypes_apart) + " instead of " + std::to_string(genotypes);
}

// Single linkage on computed whole distances runs on the distinct genotypes, a band of distances
// at a time; real distances on their ranks; the rest on the whole matrix.
analysis::ClonesResult clones_of(const ClonesOptions& options, const MarkerData& data,
                                 const clonal::cli::Terminal& terminal) {
    const DistanceInput input = distance_input(options.data);
    if (!input.unrounded && !options.settings.automatic &&
        (options.settings.linkage != Linkage::kSingle ||
         !analysis::grouped_by_distinct_genotypes(input))) {
        const DistanceMatrix matrix = distance_matrix(options.data, data, options.common, terminal);
        return analysis::clones(data, matrix, input, options.settings,
                                {options.common.threads, {}});
    }
    analysis::ClonesResult result;
    with_distance_progress(options.data, data, options.common, terminal,
                           [&](const clonal::WorkSettings& work) {
                               result = analysis::clones(data, input, options.settings, work);
                           });
    return result;
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ClonesOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    add_threshold_option(command, options->threshold);
    add_linkage_option(command, options->settings.linkage);
    command.add_option("--clonal", options->clonal_file,
                       "also write marsyl's input, the Clonal genotype file, here");
    command.add_option("--genotypes", options->genotypes_file,
                       "also write the genotypes file (name and genotype of each individual) here");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(
            terminal, threshold_inputs(options->threshold, input_files(options->data)));
        clonal::cli::ResultFile* clonal_file =
            options->clonal_file.empty() ? nullptr : &files.add("--clonal", options->clonal_file);
        clonal::cli::ResultFile* genotypes_file =
            options->genotypes_file.empty() ? nullptr
                                            : &files.add("--genotypes", options->genotypes_file);
        clonal::cli::ResultFile& table = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        options->settings.automatic = options->threshold.automatic();
        options->settings.threshold = options->threshold.value();
        options->settings.replicates = replicates_of(options->threshold.replicates, data);
        const analysis::ClonesResult result = clones_of(*options, data, terminal);
        std::string note;
        if (clonal_file != nullptr) {
            note = write_clonal_genotype_file_for_marsyl(data, result.genotypes,
                                                         clonal_file->stream());
        }
        if (genotypes_file != nullptr) {
            write_genotypes_file(data, result.genotypes, genotypes_file->stream());
        }
        if (result.automatic) {
            table.stream() << automatic_threshold_line(*result.automatic);
        }
        clonal::write_tsv(analysis::clones_table(data, result), table.stream());
        files.commit();
        if (result.missing) {
            terminal.err << "kelvane: note: "
                         << clonal::cli::printable(missing_data_note(*result.missing,
                                                                     options->settings.threshold,
                                                                     result.genotypes.count))
                         << '\n';
        }
        if (!note.empty()) {
            terminal.err << "kelvane: note: "
                         << clonal::cli::printable(note + ", " + options->clonal_file) << '\n';
        }
    };
}

}  // namespace

clonal::cli::Command clones_command() {
    return {"clones", "the clonal genotype of every individual at a threshold", setup};
}

}  // namespace kelvane::cli
