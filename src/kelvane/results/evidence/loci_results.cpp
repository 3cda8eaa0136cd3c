// The table of the loci.
#include "kelvane/results/evidence/loci_results.hpp"

namespace kelvane {

clonal::ResultTable loci_table(const MarkerData& data, const std::vector<LocusStatistics>& loci) {
    clonal::ResultTable table;
    table.header({"locus", "alleles", "genotypes", "he", "pi", "pi_sibs", "pi_cum", "pi_sibs_cum"});
    for (std::size_t k = 0; k < loci.size(); ++k) {
        const LocusStatistics& locus = loci[k];
        table.text(data.locus_names[k])
            .integer(locus.alleles)
            .integer(locus.genotypes)
            .real(locus.he)
            .real(locus.pi)
            .real(locus.pi_sibs)
            .real(locus.pi_cumulative)
            .real(locus.pi_sibs_cumulative);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane
