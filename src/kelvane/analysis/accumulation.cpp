// The genotype accumulation curve and its table.
#include "kelvane/analysis/accumulation.hpp"

#include <string>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane::analysis {

AccumulationResult accumulation(const MarkerData& data, const AccumulationSettings& settings,
                                clonal::Random& random, const clonal::WorkSettings& work) {
    clonal::check_setting("draws", static_cast<double>(settings.draws));
    const GenotypeIdentity identity(data);
    AccumulationResult result;
    result.curve =
        genotype_accumulation(identity, settings.draws, random, work.threads, work.progress);
    result.genotypes = identity.multilocus_genotypes().count;
    return result;
}

clonal::ResultTable accumulation_table(const AccumulationResult& result) {
    clonal::ResultTable table;
    table.header({"loci", "mean", "sd", "min", "max"});
    for (const AccumulationPoint& point : result.curve) {
        table.integer(point.loci)
            .real(point.mean)
            .real(point.sd)
            .integer(point.min)
            .integer(point.max);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
