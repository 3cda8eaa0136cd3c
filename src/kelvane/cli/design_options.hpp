// The options that describe an AMOVA's sampling design, shared by kelvane amova and the report:
// --strata FILE, --hierarchy A/B/C and --euclidean.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "kelvane/analysis/nested_amova.hpp"
#include "kelvane/cli/data_options.hpp"

namespace kelvane::cli {

struct DesignOptions {
    std::string strata;
    std::string hierarchy;
    std::string euclidean = "sqrt";

    bool given() const { return !strata.empty() || !hierarchy.empty() || euclidean != "sqrt"; }
};

void add_design_options(CLI::App& command, DesignOptions& options);

// The options as words of a command line (none when not given).
std::vector<std::string> design_arguments(const DesignOptions& options);

// The design the options describe: the levels of --hierarchy (a UsageError when malformed), the
// strata of --strata, or with --hierarchy alone the regions of a GenAlEx sheet; strata holds them
// and must outlive the design.
analysis::AmovaDesign amova_design(const DesignOptions& options, const DataOptions& data_options,
                                   const MarkerData& data, std::optional<Strata>& strata);

}  // namespace kelvane::cli
