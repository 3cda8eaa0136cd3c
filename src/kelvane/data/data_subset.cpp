// Taking individuals out of a data set.
#include "kelvane/data/data_subset.hpp"

#include <vector>

namespace kelvane {

MarkerData data_subset(const MarkerData& data, std::span<const int> individuals) {
    MarkerData subset = data;
    subset.n_individuals = static_cast<int32_t>(individuals.size());
    subset.pop_vector.clear();
    subset.ind_names.clear();
    for (const int i : individuals) {
        subset.pop_vector.push_back(data.pop_vector[static_cast<std::size_t>(i)]);
        subset.ind_names.push_back(data.ind_names[static_cast<std::size_t>(i)]);
    }
    std::vector<int32_t> values;
    values.reserve(subset.copy_count());
    for (int locus = 0; locus < data.n_loci; ++locus) {
        for (const int i : individuals) {
            const auto from = data.locus_genotype(i, locus);
            values.insert(values.end(), from.begin(), from.end());
        }
    }
    subset.copies.assign_values(values);
    return subset;
}

}  // namespace kelvane
