// The jackknife curves of every population and their table.
#include "marsyl/analysis/jackknife.hpp"

#include <cmath>
#include <string>

#include "common/core/setting_ranges.hpp"
#include "marsyl/analysis/index_names.hpp"

namespace marsyl::analysis {

std::vector<JackknifeCurve> jackknife(clonal::ClonalData& data, const JackknifeSettings& settings,
                                      clonal::Random& random, const JackknifeWatch& watch) {
    clonal::check_setting("subsamples", settings.subsamples);
    JackknifeWorkspace workspace(settings.subsamples);
    std::vector<JackknifeCurve> curves;
    for (int32_t p = 1; p <= data.populations; ++p) {
        if (watch.started) {
            watch.started(p);
        }
        curves.push_back(jackknife_population(data.genotypes[static_cast<std::size_t>(p)], random,
                                              workspace, watch.progress));
        if (watch.done) {
            watch.done(p, curves.back());
        }
    }
    return curves;
}

clonal::ResultTable jackknife_table(const clonal::ClonalData& data,
                                    const std::vector<JackknifeCurve>& curves) {
    clonal::ResultTable table;
    std::vector<std::string> columns{"population", "size"};
    for (const IndexName& index : kIndexNames) {
        columns.emplace_back(index.column);
        columns.push_back(std::string(index.column) + "_low");
        columns.push_back(std::string(index.column) + "_up");
    }
    table.header(columns);
    for (int32_t p = 1; p <= data.populations; ++p) {
        const JackknifeCurve& curve = curves[static_cast<std::size_t>(p - 1)];
        const std::string& name = data.names[static_cast<std::size_t>(p)];
        for (std::size_t r = 0; r < curve.rows.size(); ++r) {
            table.text(name).integer(static_cast<int64_t>(r) + 2);
            for (int k = 0; k < kIndexCount; ++k) {
                // An index undefined in some subsample has no mean, and then no limits either.
                if (std::isnan(curve.rows[r].mean[k])) {
                    table.missing().missing().missing();
                    continue;
                }
                table.real(curve.rows[r].mean[k])
                    .real(curve.rows[r].low[k])
                    .real(curve.rows[r].up[k]);
            }
            table.end_row();
        }
        table.text(name).integer(data.size(p));
        // A population without individuals holds 0 genotypes; no other index exists for it.
        const bool empty = data.size(p) == 0;
        for (int k = 0; k < kIndexCount; ++k) {
            if (empty && k != kGen) {
                table.missing();
            } else {
                table.real(curve.whole[k]);
            }
            table.missing().missing();
        }
        table.end_row();
    }
    return table;
}

}  // namespace marsyl::analysis
