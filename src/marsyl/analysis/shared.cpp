// The table of shared genotypes.
#include "marsyl/analysis/shared.hpp"

#include <string>
#include <vector>

#include "marsyl/core/extended/shared_genotypes.hpp"

namespace marsyl::analysis {

clonal::ResultTable shared_table(const clonal::ClonalData& data, bool all) {
    const SharedGenotypes shared = shared_genotypes(data, all);
    std::vector<std::string> columns{"genotype"};
    for (int32_t p = 1; p <= data.populations; ++p) {
        columns.push_back(data.names[static_cast<std::size_t>(p)]);
    }
    columns.emplace_back("populations");
    clonal::ResultTable table;
    table.header(columns);
    for (std::size_t i = 0; i < shared.genotypes.size(); ++i) {
        table.integer(shared.genotypes[i]);
        // The table holds only the populations with the genotype; the others have none.
        std::size_t entry = shared.first[i];
        for (int32_t p = 1; p <= data.populations; ++p) {
            if (entry < shared.first[i + 1] && shared.entries[entry].population == p) {
                table.integer(shared.entries[entry++].count);
            } else {
                table.integer(0);
            }
        }
        table.integer(static_cast<int64_t>(shared.populations_holding(i)));
        table.end_row();
    }
    return table;
}

}  // namespace marsyl::analysis
