// Relatedness between every pair of diploid samples over biallelic SNPs: the KING-robust kinship
// with the counts it comes from, as plink 2's --make-king-table gives them, the mismatch share
// (evidence/king_kinship.hpp gives the definitions), and the relationship read on the data's own
// kinship scale (evidence/relationship_classes.hpp).
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/king_kinship.hpp"
#include "kelvane/evidence/relationship_classes.hpp"

namespace kelvane::analysis {

struct RelatednessSettings {
    // Only the pairs of this kinship or more (plink 2's --king-table-filter) in the table.
    std::optional<double> min_kinship;
    // Only the pairs of a relationship other than unrelated (or unknown) in the table.
    bool related_only = false;
    // Pairs of samples typed twice: their mismatch shares and kinship set the clone-mate modes
    // (none: the mode of the lowest mismatch shares).
    std::vector<std::pair<int, int>> replicates;
};

struct RelatednessResult {
    std::vector<KinshipCounts> counts;  // every pair (i, j < i) at i * (i - 1) / 2 + j
    RelationshipScale scale;
};

// The counts and the scale of the classes. Data that are not diploid, and settings out of range,
// are refused.
RelatednessResult relatedness(const MarkerData& data, const RelatednessSettings& settings,
                              const clonal::WorkSettings& work = {});

// Columns individual1, individual2, shared_loci, hethet and ibs0 (shares of the shared SNPs),
// kinship, mismatch, relationship: a row per pair of at least the settings' kinship, as plink 2
// lists them: (2, 1), (3, 1), (3, 2), ...
clonal::ResultTable relatedness_table(const MarkerData& data, const RelatednessResult& result,
                                      const RelatednessSettings& settings);

}  // namespace kelvane::analysis
