// The distinct alleles of every locus.
#include "allele_tally.hpp"

#include <algorithm>

#include "printf.hpp"

namespace kelvane {

std::vector<std::vector<int32_t>> alleles_per_locus(const MarkerData& data) {
    std::vector<std::vector<int32_t>> loci(static_cast<std::size_t>(data.n_loci));
    for (int k = 0; k < data.n_loci; ++k) {
        auto& values = loci[static_cast<std::size_t>(k)];
        for (int i = 0; i < data.n_individuals; ++i) {
            for (const int32_t copy : data.genotype(i, k)) {
                if (copy != 0) {
                    values.push_back(copy);
                }
            }
        }
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
    }
    return loci;
}

int32_t count_alleles(const MarkerData& data) {
    int64_t total = 0;
    bool few_alleles_somewhere = false;
    for (const auto& values : alleles_per_locus(data)) {
        total += static_cast<int64_t>(values.size());
        few_alleles_somewhere = few_alleles_somewhere || values.size() <= 2;
    }
    const auto clamped = static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
    const bool dice = data.max_ploidy == 1 && data.digits == 1 && few_alleles_somewhere;
    return dice ? -clamped : clamped;
}

void list_alleles(const MarkerData& data, std::ostream& out) {
    clonal::print(out, "The following alleles were found:\n");
    const auto loci = alleles_per_locus(data);
    for (std::size_t k = 0; k < loci.size(); ++k) {
        clonal::print(out, "%s: \n", data.locus_names[k].c_str());
        for (const int32_t allele : loci[k]) {
            clonal::print(out, "%d\t", allele);
        }
        clonal::print(out, "\n");
    }
}

}  // namespace kelvane
