// The sparse table of genotypes by population, from one sort of (genotype, population) keys.
#include "marsyl/core/extended/shared_genotypes.hpp"

#include <algorithm>

namespace marsyl {

SharedGenotypes shared_genotypes(const clonal::ClonalData& data, bool every_genotype) {
    // Genotype number in the high half, population number in the low half: sorting the keys
    // orders by genotype, then by population. Both numbers are non-negative 32-bit integers.
    std::size_t individuals = 0;
    for (int32_t p = 1; p <= data.populations; ++p) {
        individuals += data.genotypes[static_cast<std::size_t>(p)].size();
    }
    std::vector<uint64_t> keys;
    keys.reserve(individuals);
    for (int32_t p = 1; p <= data.populations; ++p) {
        for (const int32_t genotype : data.genotypes[static_cast<std::size_t>(p)]) {
            keys.push_back(static_cast<uint64_t>(genotype) << 32 | static_cast<uint64_t>(p));
        }
    }
    std::sort(keys.begin(), keys.end());

    SharedGenotypes table;
    std::vector<PopulationCount> holding;  // the entries of the genotype at hand
    for (std::size_t i = 0; i < keys.size();) {
        const uint64_t genotype = keys[i] >> 32;
        holding.clear();
        while (i < keys.size() && keys[i] >> 32 == genotype) {
            std::size_t j = i + 1;
            while (j < keys.size() && keys[j] == keys[i]) {
                ++j;
            }
            holding.push_back(
                {static_cast<int32_t>(keys[i] & 0xffffffffu), static_cast<int32_t>(j - i)});
            i = j;
        }
        if (every_genotype || holding.size() > 1) {
            table.genotypes.push_back(static_cast<int32_t>(genotype));
            table.first.push_back(table.entries.size());
            table.entries.insert(table.entries.end(), holding.begin(), holding.end());
        }
    }
    table.first.push_back(table.entries.size());
    return table;
}

}  // namespace marsyl
