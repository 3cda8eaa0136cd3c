// Putting a marker data set together from what a reader finds.
#include "kelvane/data/formats/marker_data_builder.hpp"

#include <algorithm>

#include "common/core/bug_check.hpp"

namespace kelvane {

MarkerDataBuilder::MarkerDataBuilder(std::string title, std::vector<std::string> locus_names)
    : title_(std::move(title)), locus_names_(std::move(locus_names)) {}

int32_t MarkerDataBuilder::population(const std::string& name) {
    const auto known = std::ranges::find(population_names_, name);
    if (known != population_names_.end()) {
        return static_cast<int32_t>(known - population_names_.begin()) + 1;
    }
    population_names_.push_back(name);
    return static_cast<int32_t>(population_names_.size());
}

bool MarkerDataBuilder::has_population(const std::string& name) const {
    return std::ranges::find(population_names_, name) != population_names_.end();
}

int32_t MarkerDataBuilder::new_population(const std::string& name) {
    population_names_.push_back(name);
    return static_cast<int32_t>(population_names_.size());
}

void MarkerDataBuilder::add_individual(std::string name, int32_t population) {
    CLONAL_BUG_CHECK(counts_.size() == names_.size() * locus_names_.size());
    names_.push_back(std::move(name));
    populations_.push_back(population);
}

void MarkerDataBuilder::add_genotype(std::span<const int32_t> copies) {
    values_.insert(values_.end(), copies.begin(), copies.end());
    counts_.push_back(static_cast<uint32_t>(copies.size()));
}

MarkerData MarkerDataBuilder::build() && {
    CLONAL_BUG_CHECK(counts_.size() == names_.size() * locus_names_.size());
    MarkerData data;
    data.title = title_ + "\n";
    data.n_individuals = static_cast<int32_t>(names_.size());
    data.n_populations = static_cast<int32_t>(population_names_.size());
    data.n_loci = static_cast<int32_t>(locus_names_.size());
    const uint32_t most = counts_.empty() ? 1 : std::max(1u, std::ranges::max(counts_));
    data.max_ploidy = static_cast<int32_t>(most);
    const int32_t largest = values_.empty() ? 0 : std::ranges::max(values_);
    data.digits = decimal_digits(largest);
    data.pop_vector = std::move(populations_);
    data.pop_names = std::move(population_names_);
    data.ind_names = std::move(names_);
    data.locus_names = std::move(locus_names_);
    data.copies.assign(data.copy_count(), 0);
    std::size_t from = 0;
    std::size_t genotype = 0;
    for (int i = 0; i < data.n_individuals; ++i) {
        for (int k = 0; k < data.n_loci; ++k, ++genotype) {
            const auto slots = data.locus_genotype(i, k);
            for (uint32_t c = 0; c < counts_[genotype]; ++c) {
                slots[c] = values_[from + c];
            }
            from += counts_[genotype];
        }
    }
    return data;
}

int32_t decimal_digits(int64_t value) {
    int32_t digits = 1;
    for (; value >= 10; value /= 10) {
        ++digits;
    }
    return digits;
}

}  // namespace kelvane
