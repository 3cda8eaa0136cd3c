// The table of kinship between every pair of samples.
#include "kelvane/analysis/relatedness.hpp"

#include <cmath>
#include <string>

#include "common/core/setting_ranges.hpp"
#include "kelvane/evidence/king_kinship.hpp"

namespace kelvane::analysis {

clonal::ResultTable relatedness_table(const MarkerData& data, const RelatednessSettings& settings,
                                      const clonal::WorkSettings& work) {
    if (settings.min_kinship) {
        clonal::check_setting("min_kinship", *settings.min_kinship);
    }
    DistanceOptions options;
    options.threads = work.threads;
    const std::vector<KinshipCounts> counts = kinship_counts(data, options);
    clonal::ResultTable table;
    table.header(
        {"individual1", "individual2", "shared_loci", "hethet", "ibs0", "kinship", "mismatch"});
    // The pairs as plink 2 lists them: every sample against each one before it.
    std::size_t next = 0;
    for (int second = 1; second < data.n_individuals; ++second) {
        for (int first = 0; first < second; ++first, ++next) {
            const KinshipCounts& pair = counts[next];
            const double kinship = pair.kinship();
            if (settings.min_kinship && !(kinship >= *settings.min_kinship)) {
                continue;
            }
            const double shared = pair.shared;
            table.text(data.ind_names[static_cast<std::size_t>(second)])
                .text(data.ind_names[static_cast<std::size_t>(first)])
                .integer(pair.shared)
                .real(pair.shared > 0 ? pair.hethet / shared : NAN)
                .real(pair.shared > 0 ? pair.ibs0 / shared : NAN)
                .real(kinship)
                .real(pair.mismatch());
            table.end_row();
        }
    }
    return table;
}

}  // namespace kelvane::analysis
