// Relatedness between every pair of diploid samples over biallelic SNPs: the KING-robust kinship
// with the counts it comes from, as plink 2's --make-king-table gives them, and the mismatch
// share (evidence/king_kinship.hpp gives the definitions).
#pragma once

#include <optional>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::analysis {

struct RelatednessSettings {
    // Only the pairs of this kinship or more (plink 2's --king-table-filter).
    std::optional<double> min_kinship;
};

// Columns individual1, individual2, shared_loci, hethet and ibs0 (shares of the shared SNPs),
// kinship, mismatch: a row per pair, as plink 2 lists them: (2, 1), (3, 1), (3, 2), ...
clonal::ResultTable relatedness_table(const MarkerData& data, const RelatednessSettings& settings,
                                      const clonal::WorkSettings& work = {});

}  // namespace kelvane::analysis
