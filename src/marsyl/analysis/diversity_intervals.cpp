// The table of bootstrap intervals of the diversity indices.
#include "marsyl/analysis/diversity_intervals.hpp"

#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "marsyl/analysis/population_rows.hpp"
#include "marsyl/core/extended/diversity_intervals.hpp"

namespace marsyl::analysis {

void check_interval_settings(const IntervalSettings& settings) {
    clonal::check_setting("ci", static_cast<double>(settings.resamples));
    clonal::check_setting("ci_level", settings.level);
}

clonal::ResultTable diversity_interval_table(const clonal::ClonalData& data,
                                             const IntervalSettings& settings,
                                             clonal::Random& random) {
    check_interval_settings(settings);
    const std::vector<SizeSpectrum> spectra = population_spectra(data);
    clonal::ResultTable table;
    table.header({"population", "index", "observed", "estimate", "lower", "upper"});
    for (std::size_t row = 0; row < spectra.size(); ++row) {
        const auto intervals =
            diversity_intervals(spectra[row], settings.resamples, settings.level, random);
        for (std::size_t k = 0; k < intervals.size(); ++k) {
            table.text(population_row_name(data, row))
                .text(kIntervalIndices[k])
                .real(intervals[k].observed)
                .real(intervals[k].estimate)
                .real(intervals[k].lower)
                .real(intervals[k].upper);
            table.end_row();
        }
    }
    return table;
}

}  // namespace marsyl::analysis
