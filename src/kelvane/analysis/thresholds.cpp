// The number of clonal genotypes at every threshold where it changes.
#include "kelvane/analysis/thresholds.hpp"

#include "kelvane/analysis/clones.hpp"
#include "kelvane/grouping/distinct_genotypes.hpp"

namespace kelvane::analysis {

std::vector<ThresholdCount> thresholds(const DistanceMatrix& matrix, Linkage linkage) {
    return counts_under(matrix, linkage);
}

std::vector<ThresholdCount> thresholds(const MarkerData& data, const DistanceInput& distances,
                                       Linkage linkage, const clonal::WorkSettings& work) {
    if (distances.unrounded) {
        return counts_under(grouping_distances(data, distances, work), linkage);
    }
    if (linkage != Linkage::kSingle || !grouped_by_distinct_genotypes(distances)) {
        return thresholds(distance_matrix(data, distances, work), linkage);
    }
    const DistinctGenotypes distinct = distinct_genotypes_under(data, distances);
    DistinctMergeHeights heights(distinct, work.threads);
    for_each_distinct_band(data, distinct, distances, work,
                           [&](const DistanceMatrix& band) { heights.add_band(band); });
    return counts_at_merges(data.n_individuals, heights.heights());
}

clonal::ResultTable thresholds_table(const std::vector<ThresholdCount>& counts, bool unrounded) {
    clonal::ResultTable table;
    table.header({"threshold", "genotypes"});
    for (const ThresholdCount& count : counts) {
        distance_cell(table, count.threshold, unrounded).integer(count.genotypes);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
