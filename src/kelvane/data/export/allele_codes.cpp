// Fitting allele codes to a number of digits.
#include "kelvane/data/export/allele_codes.hpp"

#include <algorithm>

#include "common/core/fatal_error.hpp"
#include "common/text/printf.hpp"
#include "kelvane/data/allele_tally.hpp"
#include "kelvane/data/formats/marker_data_builder.hpp"

namespace kelvane {

int32_t fit_allele_codes(MarkerData& data, int32_t most_digits, std::vector<std::string>& notes) {
    const std::vector<std::vector<int32_t>> alleles = alleles_per_locus(data);
    const auto locus_name = [&data](int k) {
        const auto index = static_cast<std::size_t>(k);
        return index < data.locus_names.size() ? data.locus_names[index]
                                               : clonal::format("Locus%d", k + 1);
    };
    int32_t digits = 1;
    for (int k = 0; k < data.n_loci; ++k) {
        const std::vector<int32_t>& values = alleles[static_cast<std::size_t>(k)];
        if (values.empty()) {
            continue;
        }
        const int32_t needed = decimal_digits(values.back());
        if (needed <= most_digits) {
            digits = std::max(digits, needed);
            continue;
        }
        const auto count = static_cast<int64_t>(values.size());
        if (decimal_digits(count) > most_digits) {
            throw clonal::FatalError(clonal::format(
                "locus %s has %lld alleles, more than %d digits per allele can number",
                locus_name(k).c_str(), static_cast<long long>(count), most_digits));
        }
        for (int i = 0; i < data.n_individuals; ++i) {
            const auto slots = data.locus_genotype(i, k);
            for (std::size_t s = 0; s < slots.size(); ++s) {
                const int32_t copy = slots[s];
                if (copy != 0) {
                    slots[s] = static_cast<int32_t>(std::ranges::lower_bound(values, copy) -
                                                    values.begin()) +
                               1;
                }
            }
        }
        digits = std::max(digits, decimal_digits(count));
        notes.push_back(clonal::format(
            "locus %s: alleles %d to %d renumbered 1 to %lld to fit %d digits per allele",
            locus_name(k).c_str(), values.front(), values.back(), static_cast<long long>(count),
            most_digits));
    }
    return digits;
}

}  // namespace kelvane
