// The bootstrap tests of every pair of populations and their table.
#include "marsyl/analysis/bootstrap.hpp"

#include <string>

#include "common/core/setting_ranges.hpp"
#include "common/text/adjusted_p_columns.hpp"
#include "marsyl/analysis/index_names.hpp"
#include "marsyl/analysis/resampled_p.hpp"

namespace marsyl::analysis {

BootstrapResult bootstrap(const clonal::ClonalData& data, const BootstrapSettings& settings,
                          clonal::Random& random, const BootstrapWatch& watch) {
    clonal::check_setting("resampling.permutations", settings.permutations);
    // A pair's row: two names and two p-values per index.
    check_pairs_memory(data.populations,
                       sizeof(BootstrapPair) + (2.0 + 2.0 * static_cast<double>(kIndexCount)) *
                                                   sizeof(clonal::ResultTable::Cell));
    BootstrapResult result;
    result.permutations = settings.permutations;
    // A pair with an empty population has nothing to compare; its draws still run, so that the
    // later pairs see the same numbers.
    for_each_population_pair(
        data.populations, watch.progress, watch.started,
        [&](int32_t a, int32_t b, const clonal::ProgressReport& pair) {
            result.pairs.push_back(
                {a, b,
                 bootstrap_pair(data.genotypes[static_cast<std::size_t>(a)],
                                data.genotypes[static_cast<std::size_t>(b)], settings.permutations,
                                random, watch.each_value, pair)});
            if (watch.done) {
                watch.done(result.pairs.back());
            }
        });
    return result;
}

clonal::ResultTable bootstrap_table(const clonal::ClonalData& data, const BootstrapResult& result,
                                    clonal::PAdjustment adjustment) {
    clonal::ResultTable table;
    std::vector<std::string> columns{"population_a", "population_b"};
    for (const IndexName& index : kIndexNames) {
        columns.push_back(std::string("p_greater_") + index.column);
        columns.push_back(std::string("p_smaller_") + index.column);
    }
    table.header(columns);
    const std::vector<std::string> p_columns(columns.begin() + 2, columns.end());
    for (const BootstrapPair& pair : result.pairs) {
        table.text(data.names[static_cast<std::size_t>(pair.a)])
            .text(data.names[static_cast<std::size_t>(pair.b)]);
        const bool empty = data.size(pair.a) == 0 || data.size(pair.b) == 0;
        for (int k = 0; k < kIndexCount; ++k) {
            table.real(defined_p(pair.p.at_least[k], result.permutations, empty))
                .real(defined_p(pair.p.at_most[k], result.permutations, empty));
        }
        table.end_row();
    }
    return clonal::with_adjusted_p(table, p_columns, adjustment);
}

}  // namespace marsyl::analysis
