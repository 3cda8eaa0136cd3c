// The statistics of the loci and their table.
#include "kelvane/analysis/loci.hpp"

#include "common/core/fatal_error.hpp"
#include "kelvane/distance/model_catalogue.hpp"
#include "kelvane/distance/repeat_units.hpp"
#include "kelvane/evidence/pascal_triangle.hpp"

namespace kelvane::analysis {

std::optional<clonal::FatalError> loci_refusal(const MarkerData& data) {
    if (data.max_ploidy > kLargestPascalRow) {
        return clonal::FatalError("probabilities of identity need a maximum ploidy of at most 1000")
            .in_file(data.file);
    }
    return std::nullopt;
}

std::vector<double> off_repeat_of(const MarkerData& data, const DistanceInput& input) {
    if (input.matrix || input.model.repeat_lengths.empty()) {
        return {};
    }
    return off_repeat_shares(data, model_of(input.model, data).repeat_units.lengths);
}

std::vector<LocusStatistics> loci(const MarkerData& data) {
    if (auto refusal = loci_refusal(data)) {
        throw *refusal;
    }
    return locus_statistics(data);
}

clonal::ResultTable loci_table(const MarkerData& data, const std::vector<LocusStatistics>& loci,
                               const std::vector<double>& off_repeat) {
    clonal::ResultTable table;
    std::vector<std::string> header{"locus", "alleles", "genotypes", "he",
                                    "pi",    "pi_sibs", "pi_cum",    "pi_sibs_cum"};
    if (!off_repeat.empty()) {
        header.emplace_back("off_repeat");
    }
    table.header(header);
    for (std::size_t k = 0; k < loci.size(); ++k) {
        const LocusStatistics& locus = loci[k];
        table.text(data.locus_names[k])
            .integer(locus.alleles)
            .integer(locus.genotypes)
            .real(locus.he)
            .real(locus.pi)
            .real(locus.pi_sibs)
            .real(locus.pi_cumulative)
            .real(locus.pi_sibs_cumulative);
        if (!off_repeat.empty()) {
            table.real(off_repeat[k]);
        }
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
