// The table of genotypes by population on the three-site fixture, whose shared genotypes are
// known by construction.
#include "marsyl/core/extended/shared_genotypes.hpp"

#include <gtest/gtest.h>

#include "support/clone_size_fixtures.hpp"

namespace marsyl {
namespace {

std::vector<std::vector<int32_t>> rows_of(const SharedGenotypes& table) {
    std::vector<std::vector<int32_t>> rows;
    for (std::size_t i = 0; i < table.genotypes.size(); ++i) {
        std::vector<int32_t> row{table.genotypes[i]};
        for (std::size_t k = table.first[i]; k < table.first[i + 1]; ++k) {
            row.push_back(table.entries[k].population);
            row.push_back(table.entries[k].count);
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(SharedGenotypes, GenotypesOfMoreThanOnePopulation) {
    clonal::ClonalData data = clonal::read_clonal_file(testing_support::three_sites_clonal_file());
    // Individuals of population number 0 belong to no population.
    data.genotypes[0] = {1, 3, 3, 44};
    const SharedGenotypes shared = shared_genotypes(data, false);
    // Genotype, then population and count for each population holding it.
    const std::vector<std::vector<int32_t>> expected{
        {1, 1, 5, 2, 2}, {2, 1, 4, 3, 1}, {29, 2, 3, 3, 1}};
    EXPECT_EQ(rows_of(shared), expected);

    const SharedGenotypes every = shared_genotypes(data, true);
    ASSERT_EQ(every.genotypes.size(), 44u);
    int64_t individuals = 0;
    for (std::size_t i = 0; i < every.genotypes.size(); ++i) {
        EXPECT_EQ(every.genotypes[i], static_cast<int32_t>(i) + 1);
        EXPECT_EQ(every.populations_holding(i),
                  every.genotypes[i] == 1 || every.genotypes[i] == 2 || every.genotypes[i] == 29
                      ? 2u
                      : 1u);
    }
    for (const PopulationCount& entry : every.entries) {
        individuals += entry.count;
    }
    EXPECT_EQ(individuals, 69);
}

}  // namespace
}  // namespace marsyl
