// The differentiation table.
#include "marsyl/results/differentiation_results.hpp"

#include "marsyl/core/differentiation.hpp"
#include "marsyl/results/pair_progress.hpp"
#include "marsyl/results/resampled_p.hpp"

namespace marsyl {

clonal::ResultTable differentiation_table(const clonal::ClonalData& data, int32_t permutations,
                                          clonal::Random& random,
                                          const clonal::ProgressReport& progress) {
    clonal::ResultTable table;
    table.header({"population_a", "population_b", "p"});
    PairsProgress pairs(progress, data.populations);
    for (int32_t i = 1; i <= data.populations; ++i) {
        for (int32_t j = 1; j < i; ++j) {
            PairGStatistic pair(data.genotypes[static_cast<std::size_t>(i)],
                                data.genotypes[static_cast<std::size_t>(j)]);
            const double p =
                differentiation_p_value(pair, permutations, random, {}, pairs.next_pair());
            table.text(data.names[static_cast<std::size_t>(i)])
                .text(data.names[static_cast<std::size_t>(j)])
                .real(defined_p(p, permutations, data.size(i) == 0 || data.size(j) == 0));
            table.end_row();
        }
    }
    return table;
}

}  // namespace marsyl
