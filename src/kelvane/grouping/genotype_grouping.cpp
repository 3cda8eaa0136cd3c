// Single-linkage grouping at one threshold and the numbering of the genotypes.
#include "kelvane/grouping/genotype_grouping.hpp"

#include <new>
#include <unordered_map>

#include "common/core/allocation.hpp"

namespace kelvane {

void assign_genotypes(const DistanceMatrix& matrix, int32_t threshold,
                      std::span<int32_t> geno_vector) {
    const int n = matrix.size();
    int32_t next_group = 1;
    for (int i = 0; i < n; ++i) {
        int32_t& own = geno_vector[static_cast<std::size_t>(i)];
        if (own == 0) {
            own = next_group++;
        }
        int32_t current = own;
        const auto row = matrix.row(i);
        for (int j = i; j < n; ++j) {
            // Compared directly: the difference of distance and threshold could overflow.
            if (row[static_cast<std::size_t>(j)] > threshold) {
                continue;
            }
            const int32_t partner = geno_vector[static_cast<std::size_t>(j)];
            if (partner == 0) {
                geno_vector[static_cast<std::size_t>(j)] = current;
            } else if (partner != current) {
                // The groups merge under the partner's number, so that the later partners of i
                // in this row join the merged group.
                for (int32_t& number : geno_vector) {
                    if (number == current) {
                        number = partner;
                    }
                }
                current = partner;
            }
        }
    }
}

int32_t renumber_genotypes(std::span<int32_t> geno_vector) {
    return clonal::with_memory_message("count_vector calloc failed, more memory needed", [&] {
        // Genotype number of every group number met so far: 1 + its place in the order of first
        // appearance.
        std::unordered_map<int32_t, int32_t> genotype_of_group;
        genotype_of_group.reserve(geno_vector.size());
        int32_t count = 0;
        for (int32_t& number : geno_vector) {
            const auto [entry, is_new] = genotype_of_group.try_emplace(number, count + 1);
            if (is_new) {
                ++count;
            }
            number = entry->second;
        }
        return count;
    });
}

Genotypes genotypes_at_threshold(const DistanceMatrix& matrix, int32_t threshold) {
    Genotypes genotypes;
    genotypes.numbers = clonal::allocate_or_fail<int32_t>(
        static_cast<std::size_t>(matrix.size()), "geno_vector malloc failed, more memory needed ");
    assign_genotypes(matrix, threshold, genotypes.numbers);
    genotypes.count = renumber_genotypes(genotypes.numbers);
    return genotypes;
}

}  // namespace kelvane
