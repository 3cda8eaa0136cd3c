// Taking individuals out of a data set.
#include "kelvane/data/data_subset.hpp"

#include <vector>

namespace kelvane {

MarkerData data_subset(const MarkerData& data, std::span<const int> individuals) {
    // Everything but the individuals, field by field: a copy of the whole would copy every copy.
    MarkerData subset;
    subset.file = data.file;
    subset.title = data.title;
    subset.n_populations = data.n_populations;
    subset.n_loci = data.n_loci;
    subset.max_ploidy = data.max_ploidy;
    subset.digits = data.digits;
    subset.slot_limit = data.slot_limit;
    subset.pop_names = data.pop_names;
    subset.locus_names = data.locus_names;
    subset.total_alleles = data.total_alleles;
    subset.dice_offered = data.dice_offered;
    subset.n_individuals = static_cast<int32_t>(individuals.size());
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
