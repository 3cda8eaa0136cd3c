// The differentiation tests of every pair of populations and their table.
#include "marsyl/analysis/differentiation.hpp"

#include "common/core/setting_ranges.hpp"
#include "common/text/adjusted_p_columns.hpp"
#include "marsyl/analysis/resampled_p.hpp"

namespace marsyl::analysis {

DifferentiationResult differentiation(const clonal::ClonalData& data,
                                      const DifferentiationSettings& settings,
                                      clonal::Random& random, const DifferentiationWatch& watch) {
    clonal::check_setting("resampling.permutations", settings.permutations);
    check_pairs_memory(data.populations,
                       sizeof(DifferentiationPair) + 3.0 * sizeof(clonal::ResultTable::Cell));
    DifferentiationResult result;
    result.permutations = settings.permutations;
    for_each_population_pair(
        data.populations, watch.progress, watch.started,
        [&](int32_t a, int32_t b, const clonal::ProgressReport& progress_of_pair) {
            PairGStatistic pair(data.genotypes[static_cast<std::size_t>(a)],
                                data.genotypes[static_cast<std::size_t>(b)]);
            result.pairs.push_back({a, b,
                                    differentiation_p_value(pair, settings.permutations, random,
                                                            watch.each_value, progress_of_pair)});
            if (watch.done) {
                watch.done(result.pairs.back());
            }
        });
    return result;
}

clonal::ResultTable differentiation_table(const clonal::ClonalData& data,
                                          const DifferentiationResult& result,
                                          clonal::PAdjustment adjustment) {
    clonal::ResultTable table;
    table.header({"population_a", "population_b", "p"});
    for (const DifferentiationPair& pair : result.pairs) {
        table.text(data.names[static_cast<std::size_t>(pair.a)])
            .text(data.names[static_cast<std::size_t>(pair.b)])
            .real(defined_p(pair.p, result.permutations,
                            data.size(pair.a) == 0 || data.size(pair.b) == 0));
        table.end_row();
    }
    return clonal::with_adjusted_p(table, {"p"}, adjustment);
}

}  // namespace marsyl::analysis
