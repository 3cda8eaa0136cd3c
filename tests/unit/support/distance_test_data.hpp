// Tiny marker data sets for the distance model tests, written inline: per individual, per locus,
// its present copies (slots after them stay missing).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::testing {

using Genotype = std::vector<int32_t>;
using Individual = std::vector<Genotype>;

inline MarkerData markers(int32_t ploidy, const std::vector<Individual>& individuals) {
    MarkerData data;
    data.n_individuals = static_cast<int32_t>(individuals.size());
    data.n_populations = 1;
    data.n_loci = individuals.empty() ? 0 : static_cast<int32_t>(individuals[0].size());
    data.max_ploidy = ploidy;
    data.digits = 3;
    data.pop_names = {"pop"};
    data.copies.assign(static_cast<std::size_t>(data.n_individuals) *
                           static_cast<std::size_t>(data.n_loci) * static_cast<std::size_t>(ploidy),
                       0);
    for (int i = 0; i < data.n_individuals; ++i) {
        data.pop_vector.push_back(1);
        data.ind_names.push_back("ind" + std::to_string(i + 1));
        for (int k = 0; k < data.n_loci; ++k) {
            const Genotype& copies =
                individuals[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)];
            auto slots = data.locus_genotype(i, k);
            for (std::size_t slot = 0; slot < copies.size() && slot < slots.size(); ++slot) {
                slots[slot] = copies[slot];
            }
        }
    }
    for (int k = 0; k < data.n_loci; ++k) {
        data.locus_names.push_back("Locus" + std::to_string(k + 1));
    }
    return data;
}

// The whole matrix, row by row.
inline std::vector<int32_t> cells(const DistanceMatrix& matrix) {
    return {matrix.cells().begin(), matrix.cells().end()};
}

// A matrix of the data set's size, every cell set to a value no model writes, so that a cell a
// model forgets shows.
inline DistanceMatrix fresh_matrix(const MarkerData& data) {
    DistanceMatrix matrix(data.n_individuals);
    for (int i = 0; i < data.n_individuals; ++i) {
        for (int j = 0; j < data.n_individuals; ++j) {
            matrix.at(i, j) = i == j ? 0 : -7;
        }
    }
    return matrix;
}

}  // namespace kelvane::testing
