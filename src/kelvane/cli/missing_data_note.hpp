// What missing copies did to the clonal genotypes at a threshold. With missing copies not
// counted (the default), two individuals that differ only where one of them is missing are at
// distance 0, so an individual with missing data can join, and link together, genotypes that
// the peers' multilocus genotypes keep apart. The note says how many individuals joined a
// genotype that way: at threshold 0 against the multilocus genotypes of identical data, above it
// against the grouping with every missing copy counted as one step.
#pragma once

#include <cstdint>
#include <string>

#include "common/cli/command_line.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"

namespace kelvane {

// The note, or an empty text when missing copies change nothing (none in the data, a model that
// counts them, an imported matrix, or the same genotypes either way).
std::string missing_data_note(const DataOptions& options, const MarkerData& data,
                              const Genotypes& genotypes, int32_t threshold,
                              const clonal::cli::CommonOptions& common,
                              const clonal::cli::Terminal& terminal);

}  // namespace kelvane
