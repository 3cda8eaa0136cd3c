// kelvane registry: genets followed across sampling campaigns in a registry file. `add` places a
// batch of samples and stores it, `query` places it without storing, `samples` and `genets` list
// what the registry holds, `export` writes marsyl's input for every stored sample.
#include <memory>
#include <string>
#include <vector>

#include "common/cli/cli_errors.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/registry.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/registry/registry_store.hpp"

namespace kelvane::cli {
namespace {

struct BatchOptions {
    std::string registry;
    DataOptions data;
    clonal::cli::CommonOptions common;
    double threshold = 0;
    CLI::Option* threshold_option = nullptr;
    // The model options, to tell whether any was given.
    std::vector<CLI::Option*> model_options;
};

struct ListingOptions {
    std::string registry;
    std::string out = "-";
};

void add_registry_argument(CLI::App& command, std::string& registry) {
    command.add_option("REGISTRY", registry, "the registry file (SQLite)")->required();
}

// The settings the options give: the model only when some model option was given, so that a later
// add without them takes the registry's.
analysis::RegistrySettings registry_settings(const BatchOptions& options) {
    if (!options.data.matrix.empty()) {
        throw clonal::cli::UsageError(
            "a registry computes its own distances from the samples: --matrix does not go with it");
    }
    analysis::RegistrySettings settings;
    settings.source = options.data.data;
    for (const CLI::Option* option : options.model_options) {
        if (option->count() > 0) {
            settings.model = options.data.model;
        }
    }
    if (options.threshold_option != nullptr && options.threshold_option->count() > 0) {
        settings.threshold = options.threshold;
    }
    return settings;
}

// add and query: the registry, the data and the work; add takes the model and threshold too.
clonal::cli::Action batch_setup(CLI::App& command, bool adds) {
    auto options = std::make_shared<BatchOptions>();
    add_registry_argument(command, options->registry);
    if (adds) {
        add_model_options(command, options->data);
        for (const ModelSetting& setting : model_settings()) {
            options->model_options.push_back(
                command.get_option(clonal::cli::option_of(setting.name)));
        }
        options->threshold_option = command.add_option(
            "--threshold", options->threshold,
            "join a genet at this distance or less (whole; fixed by the first add, later adds "
            "take the registry's)");
    } else {
        add_data_argument(command, options->data);
    }
    clonal::cli::add_common_options(command, options->common);
    return [options, adds](const clonal::cli::Terminal& terminal) {
        std::vector<std::string> inputs = input_files(options->data);
        inputs.push_back(options->registry);
        clonal::cli::ResultFiles files(terminal, inputs);
        clonal::cli::ResultFile& table = files.add("--out", options->common.out);
        const analysis::RegistrySettings settings = registry_settings(*options);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "distances");
        const clonal::WorkSettings work{options->common.threads, bar.report()};
        const analysis::RegistryBatch batch =
            adds ? analysis::registry_add(options->registry, data, settings, work,
                                          [&] {
                                              terminal.err
                                                  << "kelvane: note: another add is "
                                                     "writing to "
                                                  << clonal::cli::printable(options->registry)
                                                  << "; waiting for it to finish\n";
                                          })
                 : analysis::registry_query(options->registry, data, settings, work);
        bar.finish();
        clonal::write_tsv(batch.table, table.stream());
        files.commit();
        terminal.err << "kelvane: note: " << (adds ? "batch " : "as batch ") << batch.batch
                     << (adds ? " added: " : " would add: ") << data.n_individuals
                     << (data.n_individuals == 1 ? " sample, " : " samples, ") << batch.founded
                     << (batch.founded == 1 ? " new genet, " : " new genets, ") << batch.merges
                     << (batch.merges == 1 ? " genet merged" : " genets merged") << " into "
                     << (batch.merges == 1 ? "an older one" : "older ones") << "\n";
    };
}

// samples and genets: a table of what the registry holds.
clonal::cli::Action listing_setup(CLI::App& command,
                                  clonal::ResultTable (*listing)(const std::string&)) {
    auto options = std::make_shared<ListingOptions>();
    add_registry_argument(command, options->registry);
    command.add_option("--out", options->out, "where the table goes (-: standard output)")
        ->capture_default_str();
    return [options, listing](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->registry});
        clonal::cli::ResultFile& table = files.add("--out", options->out);
        clonal::write_tsv(listing(options->registry), table.stream());
        files.commit();
    };
}

clonal::cli::Action export_setup(CLI::App& command) {
    auto options = std::make_shared<ListingOptions>();
    add_registry_argument(command, options->registry);
    command
        .add_option("FILE", options->out, "the Clonal genotype file to write (-: standard output)")
        ->required();
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->registry});
        clonal::cli::ResultFile& file = files.add("FILE", options->out);
        const std::string note = analysis::registry_export(options->registry, file.stream());
        files.commit();
        if (!note.empty()) {
            terminal.err << "kelvane: note: " << clonal::cli::printable(note + ", " + options->out)
                         << '\n';
        }
    };
}

clonal::cli::Action setup(CLI::App& command) {
    command.require_subcommand(1);
    struct Verb {
        CLI::App* command;
        clonal::cli::Action action;
    };
    auto verbs = std::make_shared<std::vector<Verb>>();
    const auto verb = [&](const char* name, const char* summary) {
        return command.add_subcommand(name, summary);
    };
    CLI::App* add = verb("add",
                         "place the samples of DATA in the registry's genets and store them "
                         "(the registry is made by the first add)");
    verbs->push_back({add, batch_setup(*add, true)});
    CLI::App* query = verb("query", "the rows add would give DATA, storing nothing");
    verbs->push_back({query, batch_setup(*query, false)});
    CLI::App* samples = verb("samples", "every stored sample and its genet");
    verbs->push_back({samples, listing_setup(*samples, analysis::registry_samples)});
    CLI::App* genets = verb("genets", "every genet: its ramets, populations, batches, merge");
    verbs->push_back({genets, listing_setup(*genets, analysis::registry_genets)});
    CLI::App* exported = verb("export",
                              "marsyl's input, the Clonal genotype file, of every "
                              "stored sample");
    verbs->push_back({exported, export_setup(*exported)});
    return [verbs](const clonal::cli::Terminal& terminal) {
        for (const Verb& v : *verbs) {
            if (v.command->parsed()) {
                v.action(terminal);
            }
        }
    };
}

}  // namespace

clonal::cli::Command registry_command() {
    return {"registry",
            "follow genets across sampling campaigns in a registry file: add, query, samples, "
            "genets, export",
            setup};
}

}  // namespace kelvane::cli
