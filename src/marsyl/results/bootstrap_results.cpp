// The bootstrap table.
#include "marsyl/results/bootstrap_results.hpp"

#include "marsyl/core/bootstrap.hpp"
#include "marsyl/results/index_names.hpp"
#include "marsyl/results/pair_progress.hpp"
#include "marsyl/results/resampled_p.hpp"

namespace marsyl {

clonal::ResultTable bootstrap_table(const clonal::ClonalData& data, int32_t permutations,
                                    clonal::Random& random,
                                    const clonal::ProgressReport& progress) {
    clonal::ResultTable table;
    std::vector<std::string> columns{"population_a", "population_b"};
    for (const IndexName& index : kIndexNames) {
        columns.push_back(std::string("p_greater_") + index.column);
        columns.push_back(std::string("p_smaller_") + index.column);
    }
    table.header(columns);
    PairsProgress pairs(progress, data.populations);
    for (int32_t a = 2; a <= data.populations; ++a) {
        for (int32_t b = 1; b < a; ++b) {
            const BootstrapPValues p = bootstrap_pair(data.genotypes[static_cast<std::size_t>(a)],
                                                      data.genotypes[static_cast<std::size_t>(b)],
                                                      permutations, random, {}, pairs.next_pair());
            table.text(data.names[static_cast<std::size_t>(a)])
                .text(data.names[static_cast<std::size_t>(b)]);
            // A pair with an empty population has nothing to compare (its draws still run, so
            // that the later pairs see the dialogue's numbers).
            const bool empty = data.size(a) == 0 || data.size(b) == 0;
            for (int k = 0; k < kIndexCount; ++k) {
                table.real(defined_p(p.at_least[k], permutations, empty))
                    .real(defined_p(p.at_most[k], permutations, empty));
            }
            table.end_row();
        }
    }
    return table;
}

}  // namespace marsyl
