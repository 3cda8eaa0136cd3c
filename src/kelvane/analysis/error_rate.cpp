// The table of replicate error rates.
#include "kelvane/analysis/error_rate.hpp"

#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "kelvane/data/formats/replicate_pairs.hpp"
#include "kelvane/evidence/replicate_error.hpp"

namespace kelvane::analysis {
namespace {

void rate_cells(clonal::ResultTable& table, const ReplicateComparison& counts) {
    const ErrorRate rate = error_rate(counts.mismatches, counts.shared_loci);
    table.integer(counts.shared_loci)
        .integer(counts.mismatches)
        .real(rate.rate)
        .real(rate.lower)
        .real(rate.upper);
    table.end_row();
}

}  // namespace

std::vector<std::pair<int, int>> replicate_pairs_file(const std::string& file,
                                                      const MarkerData& data) {
    const std::string content = clonal::read_input_file(file);
    try {
        return read_replicate_pairs(content, data.ind_names);
    } catch (clonal::FatalError& error) {
        throw error.in_file(file);
    }
}

clonal::ResultTable error_rate_table(const MarkerData& data,
                                     const std::vector<std::pair<int, int>>& pairs) {
    clonal::ResultTable table;
    table.header({"individual_a", "individual_b", "shared_loci", "mismatches", "error_rate",
                  "lower", "upper"});
    ReplicateComparison all;
    for (const auto& [a, b] : pairs) {
        const ReplicateComparison pair = compare_replicates(data, a, b);
        all.shared_loci += pair.shared_loci;
        all.mismatches += pair.mismatches;
        table.text(data.ind_names[static_cast<std::size_t>(a)])
            .text(data.ind_names[static_cast<std::size_t>(b)]);
        rate_cells(table, pair);
    }
    table.text("all").missing();
    rate_cells(table, all);
    return table;
}

}  // namespace kelvane::analysis
