// Taking individuals or loci out of a data set.
#include "kelvane/data/data_subset.hpp"

#include <vector>

#include "kelvane/data/allele_tally.hpp"

namespace kelvane {

namespace {

// Everything but the individuals and the loci, field by field: a copy of the whole would copy
// every copy.
MarkerData frame_of(const MarkerData& data) {
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
    return subset;
}

}  // namespace

MarkerData data_subset(const MarkerData& data, std::span<const int> individuals) {
    MarkerData subset = frame_of(data);
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

MarkerData loci_subset(const MarkerData& data, std::span<const int> loci) {
    MarkerData subset = frame_of(data);
    subset.n_individuals = data.n_individuals;
    subset.pop_vector = data.pop_vector;
    subset.ind_names = data.ind_names;
    subset.n_loci = static_cast<int32_t>(loci.size());
    subset.locus_names.clear();
    std::vector<int32_t> values;
    for (const int locus : loci) {
        subset.locus_names.push_back(data.locus_names[static_cast<std::size_t>(locus)]);
        for (int i = 0; i < data.n_individuals; ++i) {
            const auto from = data.locus_genotype(i, locus);
            values.insert(values.end(), from.begin(), from.end());
        }
    }
    subset.copies.assign_values(values);
    subset.total_alleles = count_alleles(subset).total;
    return subset;
}

}  // namespace kelvane
