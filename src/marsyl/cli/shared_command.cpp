// marsyl shared: the genotypes found in more than one population (or every genotype) with the
// number of individuals each population holds.
#include <memory>

#include "common/cli/result_files.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/shared.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"

namespace marsyl::cli {
namespace {

struct SharedOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    bool all = false;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<SharedOptions>();
    add_clonal_argument(command, options->clonal);
    command.add_flag("--all", options->all,
                     "every genotype, not only those found in more than one population");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->clonal});
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        const clonal::ResultTable table = analysis::shared_table(input.data, options->all);
        clonal::write_tsv(table, output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command shared_command() {
    return {"shared", "the genotypes found in more than one population, with their counts", setup};
}

}  // namespace marsyl::cli
