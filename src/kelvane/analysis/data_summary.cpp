// The tables of the marker data set.
#include "kelvane/analysis/data_summary.hpp"

#include <vector>

#include "common/text/characters.hpp"

namespace kelvane::analysis {
clonal::ResultTable data_summary_table(const MarkerData& data, const std::string& file,
                                       const std::string& distances) {
    clonal::ResultTable table;
    table.header({"item", "value"});
    table.text("file").text(file);
    table.end_row();
    table.text("title").text(clonal::without_line_end(data.title));
    table.end_row();
    const std::pair<const char*, int32_t> counts[] = {{"individuals", data.n_individuals},
                                                      {"populations", data.n_populations},
                                                      {"loci", data.n_loci},
                                                      {"maximum ploidy", data.max_ploidy},
                                                      {"digits per allele", data.digits},
                                                      {"alleles", data.total_alleles}};
    for (const auto& [item, value] : counts) {
        table.text(item).text(std::to_string(value));
        table.end_row();
    }
    table.text("distances").text(distances);
    table.end_row();
    return table;
}

clonal::ResultTable population_table(const MarkerData& data) {
    std::vector<int64_t> sizes(static_cast<std::size_t>(data.n_populations) + 1, 0);
    for (const int32_t population : data.pop_vector) {
        if (population >= 1 && population <= data.n_populations) {
            ++sizes[static_cast<std::size_t>(population)];
        }
    }
    clonal::ResultTable table;
    table.header({"population", "individuals"});
    for (int32_t p = 1; p <= data.n_populations; ++p) {
        table.text(data.population_name(p)).integer(sizes[static_cast<std::size_t>(p)]);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
