// Psex of the repeated genotypes and its table.
#include "kelvane/analysis/psex.hpp"

#include "common/core/setting_ranges.hpp"
#include "kelvane/analysis/genotype_choice.hpp"
#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane::analysis {

PsexResult psex(const MarkerData& data, const PsexAnalysisSettings& settings,
                const DistanceInput& distances, clonal::Random& random,
                const clonal::WorkSettings& work) {
    clonal::check_setting("psex.simulations", static_cast<double>(settings.psex.simulations));
    PsexSettings psex = settings.psex;
    psex.threads = work.threads;
    if (auto refusal = psex_refusal(data, psex)) {
        throw *refusal;
    }
    const GenotypeIdentity identity(data);
    const std::vector<int32_t> genotypes =
        chosen_genotypes(data, settings.threshold, distances, work);
    return {psex_table(data, identity, genotypes, psex, random), psex.simulations > 0};
}

clonal::ResultTable psex_result_table(const MarkerData& data, const PsexResult& result) {
    clonal::ResultTable table;
    if (result.simulated) {
        table.header({"individual", "genotype", "rank", "pgen", "psex", "p_sim"});
    } else {
        table.header({"individual", "genotype", "rank", "pgen", "psex"});
    }
    for (const PsexRow& row : result.rows) {
        table.text(data.ind_names[static_cast<std::size_t>(row.individual)])
            .integer(row.genotype)
            .integer(row.rank)
            .real(row.pgen)
            .real(row.psex);
        if (result.simulated) {
            table.real(row.p_sim);
        }
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
