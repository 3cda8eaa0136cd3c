// The table of the genotypes at a threshold.
#include "kelvane/analysis/genotype_summary.hpp"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace kelvane::analysis {
namespace {

// Members named in a row; a larger genotype's row says how many more it has.
constexpr std::size_t kNamedMembers = 12;

}  // namespace

clonal::ResultTable genotype_summary_table(const MarkerData& data, const Genotypes& genotypes) {
    const auto count = static_cast<std::size_t>(genotypes.count);
    std::vector<std::vector<int>> members(count);
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        members[static_cast<std::size_t>(genotypes.numbers[i] - 1)].push_back(static_cast<int>(i));
    }
    clonal::ResultTable table;
    table.header({"genotype", "individuals", "populations", "members"});
    // The largest genotypes first, those of one size in the order of their numbers.
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return members[a].size() > members[b].size();
    });
    std::vector<int64_t> per_population(static_cast<std::size_t>(data.n_populations) + 1);
    for (const std::size_t g : order) {
        std::fill(per_population.begin(), per_population.end(), 0);
        std::string names;
        for (std::size_t k = 0; k < members[g].size(); ++k) {
            const auto individual = static_cast<std::size_t>(members[g][k]);
            const int32_t population = data.pop_vector[individual];
            if (population >= 1 && population <= data.n_populations) {
                ++per_population[static_cast<std::size_t>(population)];
            }
            if (k < kNamedMembers) {
                names += (k == 0 ? "" : ", ") + data.ind_names[individual];
            }
        }
        if (members[g].size() > kNamedMembers) {
            names += " and " + std::to_string(members[g].size() - kNamedMembers) + " more";
        }
        std::string populations;
        for (int32_t p = 1; p <= data.n_populations; ++p) {
            if (const int64_t n = per_population[static_cast<std::size_t>(p)]; n > 0) {
                populations += (populations.empty() ? "" : ", ") + data.population_name(p) + " " +
                               std::to_string(n);
            }
        }
        table.integer(static_cast<int64_t>(g) + 1)
            .integer(static_cast<int64_t>(members[g].size()))
            .text(populations)
            .text(names);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
