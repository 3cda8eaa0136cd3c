// kelvane network: the minimum spanning network of the clonal genotypes at a threshold, as a
// GraphML or DOT file, and with --svg as a figure.
#include <memory>
#include <string>
#include <vector>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/result_files.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/analysis/network.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/cli/threshold_option.hpp"
#include "kelvane/figures/evidence/network_figure.hpp"
#include "kelvane/grouping/spanning/network_files.hpp"
#include "plot/cli/figure_option.hpp"
#include "plot/svg_render.hpp"

namespace kelvane::cli {
namespace {

struct NetworkOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    ThresholdOption threshold;
    Linkage linkage = Linkage::kSingle;
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<NetworkOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    add_threshold_option(command, options->threshold);
    add_linkage_option(command, options->linkage)
        ->description(
            "single only: a spanning network joins genotypes by their closest pairs, "
            "as single linkage does");
    clonal::cli::add_figure_option(command, options->figure,
                                   "the network, a pie of its populations per genotype");
    clonal::cli::add_common_options(command, options->common);
    // The network is a file for graph programs, named with its format's suffix.
    command.get_option("--out")
        ->description("the GraphML (FILE.graphml) or DOT (FILE.dot) file to write")
        ->default_str("")
        ->required();
    return [options](const clonal::cli::Terminal& terminal) {
        if (options->linkage != Linkage::kSingle) {
            throw clonal::cli::UsageError(
                "network takes --linkage single only: a minimum spanning network is a "
                "single-linkage object (the groups at a threshold are its components); use "
                "kelvane clones --linkage " +
                std::string(linkage_name(options->linkage)) + " for those genotypes");
        }
        const std::string& out = options->common.out;
        const bool graphml = ends_with(out, ".graphml");
        if (!graphml && !ends_with(out, ".dot")) {
            throw clonal::cli::UsageError(
                "network writes a file: --out FILE.graphml (GraphML) or --out FILE.dot (DOT)");
        }
        clonal::cli::ResultFiles files(
            terminal, threshold_inputs(options->threshold, input_files(options->data)));
        clonal::cli::ResultFile& output = files.add("--out", out);
        clonal::cli::ResultFile* figure_output =
            options->figure.wanted() ? &files.add("--svg", options->figure.file) : nullptr;
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        const DistanceInput input = distance_input(options->data);
        const auto replicates = replicates_of(options->threshold.replicates, data);
        analysis::NetworkResult network;
        if (options->threshold.automatic() || input.unrounded ||
            analysis::grouped_by_distinct_genotypes(input)) {
            with_distance_progress(
                options->data, data, options->common, terminal,
                [&](const clonal::WorkSettings& work) {
                    network =
                        options->threshold.automatic()
                            ? analysis::automatic_network(data, input, replicates, work)
                            : analysis::network(data, input, options->threshold.value(), work);
                });
        } else {
            network =
                analysis::network(distance_matrix(options->data, data, options->common, terminal),
                                  options->threshold.value());
        }
        const double threshold =
            network.automatic ? network.automatic->threshold : options->threshold.value();
        if (graphml) {
            write_network_graphml(data, network.genotypes, network.edges, output.stream());
        } else {
            write_network_dot(data, network.genotypes, network.edges, output.stream());
        }
        if (figure_output != nullptr) {
            // A network too large to draw is seen in a graph program.
            const std::string elsewhere =
                graphml ? "open " + out + " in a graph program"
                        : "write it with --out FILE.graphml for a graph program";
            clonal::plot::write_svg(
                network_figure(data, network.genotypes, network.edges, threshold,
                               distance_unit(options->data, data), elsewhere),
                figure_output->stream());
        }
        files.commit();
        if (network.automatic) {
            terminal.err << "kelvane: note: threshold auto "
                         << automatic_threshold_words(*network.automatic) << '\n';
        }
    };
}

}  // namespace

clonal::cli::Command network_command() {
    return {"network", "the minimum spanning network of the clonal genotypes at a threshold",
            setup};
}

}  // namespace kelvane::cli
