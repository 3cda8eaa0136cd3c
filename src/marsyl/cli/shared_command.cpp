// marsyl shared: the genotypes found in more than one population (or every genotype) with the
// number of individuals each population holds.
#include <memory>

#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/extended/shared_genotypes.hpp"

namespace marsyl {
namespace {

struct SharedOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    bool all = false;
};

void write_shared(const clonal::ClonalData& data, const SharedGenotypes& table,
                  clonal::TsvWriter& tsv) {
    tsv.text("genotype");
    for (int32_t p = 1; p <= data.populations; ++p) {
        tsv.text(data.names[static_cast<std::size_t>(p)]);
    }
    tsv.text("populations");
    tsv.end_row();
    for (std::size_t i = 0; i < table.genotypes.size(); ++i) {
        tsv.integer(table.genotypes[i]);
        // The table holds only the populations with the genotype; the others have none.
        std::size_t entry = table.first[i];
        for (int32_t p = 1; p <= data.populations; ++p) {
            if (entry < table.first[i + 1] && table.entries[entry].population == p) {
                tsv.integer(table.entries[entry++].count);
            } else {
                tsv.integer(0);
            }
        }
        tsv.integer(static_cast<int64_t>(table.populations_holding(i)));
        tsv.end_row();
    }
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<SharedOptions>();
    add_clonal_argument(command, options->clonal);
    command.add_flag("--all", options->all,
                     "every genotype, not only those found in more than one population");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const ClonalInput input = read_clonal_input(options->clonal);
        const SharedGenotypes table = shared_genotypes(input.data, options->all);
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            write_shared(input.data, table, tsv);
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"shared", "the genotypes found in more than one population, with their counts", 14, setup}};

}  // namespace
}  // namespace marsyl
