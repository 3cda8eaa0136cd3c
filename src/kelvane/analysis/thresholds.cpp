// The number of clonal genotypes at every threshold where it changes.
#include "kelvane/analysis/thresholds.hpp"

namespace kelvane::analysis {

std::vector<ThresholdCount> thresholds(const DistanceMatrix& matrix, Linkage linkage) {
    return counts_under(matrix, linkage);
}

clonal::ResultTable thresholds_table(const std::vector<ThresholdCount>& counts) {
    clonal::ResultTable table;
    table.header({"threshold", "genotypes"});
    for (const ThresholdCount& count : counts) {
        table.integer(count.threshold).integer(count.genotypes);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
