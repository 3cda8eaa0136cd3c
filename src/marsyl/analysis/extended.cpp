// The table of the statistics of clone sizes.
#include "marsyl/analysis/extended.hpp"

#include <span>
#include <vector>

#include "common/core/setting_ranges.hpp"
#include "marsyl/analysis/population_rows.hpp"
#include "marsyl/core/extended/extended_indices.hpp"
#include "marsyl/core/extended/rarefaction.hpp"

namespace marsyl::analysis {

int64_t rarefaction_sample(const clonal::ClonalData& data, int64_t sample) {
    if (sample != 0) {
        return sample;
    }
    const std::vector<SizeSpectrum> spectra = population_spectra(data);
    return default_rarefaction_size(
        std::span(spectra).first(static_cast<std::size_t>(data.populations)));
}

clonal::ResultTable extended_table(const clonal::ClonalData& data, int64_t sample) {
    clonal::check_setting("rarefy", static_cast<double>(sample));
    const std::vector<SizeSpectrum> spectra = population_spectra(data);
    sample = rarefaction_sample(data, sample);
    clonal::ResultTable table;
    table.header({"population", "N", "G", "R", "H", "J", "simpson", "hill", "V", "lambda",
                  "stoddart_taylor", "E5", "eMLG", "eMLG_se"});
    for (std::size_t row = 0; row < spectra.size(); ++row) {
        const ExtendedIndices x = extended_indices(spectra[row]);
        const Rarefaction rarefied = rarefy(spectra[row], sample);
        table.text(population_row_name(data, row)).integer(x.individuals).integer(x.genotypes);
        for (const double value :
             {x.richness, x.shannon, x.pielou, x.simpson, x.hill, x.evenness, x.lambda,
              x.stoddart_taylor, x.e5, rarefied.expected_genotypes, rarefied.standard_error}) {
            table.real(value);
        }
        table.end_row();
    }
    return table;
}

}  // namespace marsyl::analysis
