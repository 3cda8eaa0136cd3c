// Fis per locus from a frequency set.
#include "kelvane/evidence/psex/inbreeding.hpp"

#include <limits>

#include "kelvane/evidence/psex/genotype_probability.hpp"

namespace kelvane {

std::vector<double> locus_fis(const MarkerData& data, const FrequencySet& frequencies) {
    std::vector<double> fis;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        int64_t typed = 0;
        int64_t heterozygous = 0;
        std::vector<int32_t> copies;
        for (const int i : frequencies.samples[static_cast<std::size_t>(locus)]) {
            const auto genotype = data.locus_genotype(i, locus);
            copies.assign(genotype.begin(), genotype.end());
            const auto alleles = typed_alleles(copies);
            if (!alleles.empty()) {
                ++typed;
                heterozygous += alleles.size() > 1 ? 1 : 0;
            }
        }
        if (typed == 0) {
            fis.push_back(std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        double squares = 0.0;
        for (const double p : frequencies.loci[static_cast<std::size_t>(locus)].frequencies) {
            squares += p * p;
        }
        const double n = static_cast<double>(typed);
        const double expected = (2.0 * n / (2.0 * n - 1.0)) * (1.0 - squares);
        const double observed = static_cast<double>(heterozygous) / n;
        fis.push_back(expected == 0.0 ? std::numeric_limits<double>::quiet_NaN()
                                      : (expected - observed) / expected);
    }
    return fis;
}

}  // namespace kelvane
