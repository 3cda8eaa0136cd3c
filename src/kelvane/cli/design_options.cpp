// The sampling-design options.
#include "kelvane/cli/design_options.hpp"

#include "common/cli/cli_errors.hpp"
#include "common/text/tsv_writer.hpp"

namespace kelvane::cli {
namespace {

std::vector<std::string> hierarchy_levels(const std::string& text) {
    std::vector<std::string> levels;
    if (text.empty()) {
        return levels;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = text.find('/', start);
        levels.push_back(text.substr(start, slash - start));
        if (levels.back().empty()) {
            throw clonal::cli::UsageError(
                "--hierarchy names levels from the top, separated by '/' (such as "
                "region/population), not '" +
                text + "'");
        }
        if (slash == std::string::npos) {
            return levels;
        }
        start = slash + 1;
    }
}

}  // namespace

void add_design_options(CLI::App& command, DesignOptions& options) {
    command.add_option("--strata", options.strata,
                       "a TSV file: a header, then a line per individual, its name and its group "
                       "at each level");
    command.add_option("--hierarchy", options.hierarchy,
                       "the levels from the top, such as region/population: columns of --strata, "
                       "'region' of a GenAlEx sheet's regions, 'population' the data's");
    command
        .add_option("--euclidean", options.euclidean,
                    "the distances D read as squared Euclidean distances: sqrt (sqrt(D) is the "
                    "Euclidean distance), none (D is), cailliez or lingoes (sqrt(D) corrected "
                    "when it is not Euclidean)")
        ->check(CLI::IsMember(clonal::choice_names(euclidean_readings())))
        ->capture_default_str();
}

std::vector<std::string> design_arguments(const DesignOptions& options) {
    std::vector<std::string> words;
    if (!options.strata.empty()) {
        words.insert(words.end(), {"--strata", options.strata});
    }
    if (!options.hierarchy.empty()) {
        words.insert(words.end(), {"--hierarchy", options.hierarchy});
    }
    if (options.euclidean != "sqrt") {
        words.insert(words.end(), {"--euclidean", options.euclidean});
    }
    return words;
}

analysis::AmovaDesign amova_design(const DesignOptions& options, const DataOptions& data_options,
                                   const MarkerData& data, std::optional<Strata>& strata) {
    analysis::AmovaDesign design;
    design.hierarchy = hierarchy_levels(options.hierarchy);
    if (!options.strata.empty()) {
        strata = analysis::strata_file(options.strata, data);
    } else if (!design.hierarchy.empty()) {
        strata = analysis::sheet_regions(data_input(data_options));
        design.populations_within = strata.has_value();
    }
    design.strata = strata ? &*strata : nullptr;
    design.euclidean = clonal::choice_named(euclidean_readings(), options.euclidean, "euclidean");
    return design;
}

}  // namespace kelvane::cli
