// The kinship between every pair of samples and their relationships.
#include "kelvane/analysis/relatedness.hpp"

#include <cmath>
#include <string>

#include "common/core/setting_ranges.hpp"

namespace kelvane::analysis {

RelatednessResult relatedness(const MarkerData& data, const RelatednessSettings& settings,
                              const clonal::WorkSettings& work) {
    if (settings.min_kinship) {
        clonal::check_setting("min_kinship", *settings.min_kinship);
    }
    DistanceOptions options;
    options.threads = work.threads;
    RelatednessResult result;
    result.counts = kinship_counts(data, options);
    if (!result.counts.empty()) {
        result.scale = relationship_scale(result.counts, settings.replicates, data.n_loci);
    }
    return result;
}

clonal::ResultTable relatedness_table(const MarkerData& data, const RelatednessResult& result,
                                      const RelatednessSettings& settings) {
    clonal::ResultTable table;
    table.header({"individual1", "individual2", "shared_loci", "hethet", "ibs0", "kinship",
                  "mismatch", "relationship"});
    // The pairs as plink 2 lists them: every sample against each one before it.
    std::size_t next = 0;
    for (int second = 1; second < data.n_individuals; ++second) {
        for (int first = 0; first < second; ++first, ++next) {
            const KinshipCounts& pair = result.counts[next];
            const double kinship = pair.kinship();
            if (settings.min_kinship && !(kinship >= *settings.min_kinship)) {
                continue;
            }
            const Relationship relationship = relationship_of(pair, result.scale);
            if (settings.related_only && (relationship == Relationship::kUnrelated ||
                                          relationship == Relationship::kUnknown)) {
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
            if (relationship == Relationship::kUnknown) {
                table.missing();
            } else {
                table.text(std::string(relationship_name(relationship)));
            }
            table.end_row();
        }
    }
    return table;
}

}  // namespace kelvane::analysis
