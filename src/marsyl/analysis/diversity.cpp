// The indices of clonal diversity, their partitioning and their tables.
#include "marsyl/analysis/diversity.hpp"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "marsyl/analysis/index_names.hpp"

namespace marsyl::analysis {

DiversityResults diversity(const ClonalInput& input) {
    return diversity_results(input.data, input.largest_genotype, PartitionRules::defined());
}

clonal::ResultTable indices_table(const clonal::ClonalData& data, const DiversityResults& results) {
    clonal::ResultTable table;
    std::vector<std::string> columns{"population", "n"};
    for (const IndexName& index : kIndexNames) {
        columns.emplace_back(index.column);
    }
    columns.emplace_back("diu");
    table.header(columns);
    for (int32_t p = 1; p <= data.populations; ++p) {
        const PopulationIndices& row = results.populations[static_cast<std::size_t>(p - 1)];
        table.text(data.names[static_cast<std::size_t>(p)]).integer(data.size(p));
        // A population without individuals holds 0 genotypes; no other index exists for it.
        const bool empty = data.size(p) == 0;
        for (std::size_t k = 0; k < row.indices.size(); ++k) {
            if (empty && k != static_cast<std::size_t>(kGen)) {
                table.missing();
            } else {
                table.real(row.indices[k]);
            }
        }
        if (empty) {
            table.missing();
        } else {
            table.real(row.diu);
        }
        table.end_row();
    }
    return table;
}

clonal::ResultTable partitioning_table(const clonal::ClonalData& data,
                                       const DiversityResults& results) {
    const Partitioning& part = results.partitioning;
    const std::array<std::pair<const char*, const std::array<double, 3>*>, 4> rows{
        {{"total", &part.total},
         {"within", &part.within},
         {"g_st", &part.g_st},
         {"g_st_corrected", &part.g_st_corrected}}};
    clonal::ResultTable table;
    // The partitioned indices, in the order Partitioning holds them.
    table.header({"component", kIndexNames[kDiv].column, kIndexNames[kShw].column,
                  kIndexNames[kShc].column});
    for (const auto& [name, values] : rows) {
        table.text(name);
        for (const double value : *values) {
            if (data.populations > 1) {
                table.real(value);
            } else {
                table.missing();
            }
        }
        table.end_row();
    }
    return table;
}

}  // namespace marsyl::analysis
