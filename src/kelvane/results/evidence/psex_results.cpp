// The table of Psex.
#include "kelvane/results/evidence/psex_results.hpp"

namespace kelvane {

std::vector<int32_t> identical_data_genotypes(const GenotypeIdentity& identity) {
    std::vector<int32_t> genotypes = identity.multilocus_genotypes().class_of;
    for (int32_t& genotype : genotypes) {
        ++genotype;
    }
    return genotypes;
}

clonal::ResultTable psex_result_table(const MarkerData& data, const std::vector<PsexRow>& rows,
                                      bool simulated) {
    clonal::ResultTable table;
    if (simulated) {
        table.header({"individual", "genotype", "rank", "pgen", "psex", "p_sim"});
    } else {
        table.header({"individual", "genotype", "rank", "pgen", "psex"});
    }
    for (const PsexRow& row : rows) {
        table.text(data.ind_names[static_cast<std::size_t>(row.individual)])
            .integer(row.genotype)
            .integer(row.rank)
            .real(row.pgen)
            .real(row.psex);
        if (simulated) {
            table.real(row.p_sim);
        }
        table.end_row();
    }
    return table;
}

}  // namespace kelvane
