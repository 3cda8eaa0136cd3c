// The distinct alleles of every locus.
#include "kelvane/data/allele_tally.hpp"

#include <algorithm>
#include <bitset>

namespace kelvane {

std::vector<std::vector<int32_t>> alleles_per_locus(const MarkerData& data) {
    std::vector<std::vector<int32_t>> loci(static_cast<std::size_t>(data.n_loci));
    for (int k = 0; k < data.n_loci; ++k) {
        auto& values = loci[static_cast<std::size_t>(k)];
        if (data.copies.in_bytes()) {
            // Copies of a byte: the values seen marked in a table of all 256.
            std::bitset<256> seen;
            const auto from = data.locus_genotype_offset(0, k);
            for (const uint8_t copy :
                 data.copies.bytes().subspan(from, data.locus_genotype_offset(0, k + 1) - from)) {
                seen.set(copy);
            }
            for (int32_t value = 1; value < 256; ++value) {
                if (seen.test(static_cast<std::size_t>(value))) {
                    values.push_back(value);
                }
            }
            continue;
        }
        for (int i = 0; i < data.n_individuals; ++i) {
            for (const int32_t copy : data.locus_genotype(i, k)) {
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

AlleleCount count_alleles(const MarkerData& data) {
    int64_t total = 0;
    bool few_alleles_somewhere = false;
    for (const auto& values : alleles_per_locus(data)) {
        total += static_cast<int64_t>(values.size());
        few_alleles_somewhere = few_alleles_somewhere || values.size() <= 2;
    }
    AlleleCount count;
    count.total = static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
    count.dice_suitable = data.max_ploidy == 1 && data.digits == 1 && few_alleles_somewhere;
    return count;
}

}  // namespace kelvane
