// The Pareto index of every population and its table.
#include "marsyl/analysis/pareto.hpp"

#include <vector>

#include "marsyl/analysis/population_rows.hpp"
#include "marsyl/core/extended/pareto_fit.hpp"

namespace marsyl::analysis {

clonal::ResultTable pareto_table(const clonal::ClonalData& data) {
    const std::vector<SizeSpectrum> spectra = population_spectra(data);
    clonal::ResultTable table;
    table.header({"population", "beta", "c", "r2", "points"});
    for (std::size_t row = 0; row < spectra.size(); ++row) {
        const ParetoFit fit = pareto_fit(spectra[row]);
        table.text(population_row_name(data, row))
            .real(fit.beta)
            .real(fit.c)
            .real(fit.r2)
            .integer(fit.points);
        table.end_row();
    }
    return table;
}

}  // namespace marsyl::analysis
