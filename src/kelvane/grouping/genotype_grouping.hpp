// Grouping of the individuals into clonal genotypes at a threshold: two individuals share a
// genotype when a chain of pairs, each at a distance at or below the threshold, links them.
// Genotypes are numbered 1 to k in the order of their first member in the input.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The distance that links u and v for the grouping: the entry in the row of the first of them
// (an imported square matrix need not be symmetric).
inline int32_t linking_distance(const DistanceMatrix& matrix, int u, int v) {
    return u < v ? matrix.at(u, v) : matrix.at(v, u);
}

// Gives every individual a group number (1 or more, not necessarily consecutive), reading the
// pairs of the upper triangle and the diagonal (row i, column j >= i). geno_vector holds one
// entry per individual and must be all 0 on entry.
void assign_genotypes(const DistanceMatrix& matrix, int32_t threshold,
                      std::span<int32_t> geno_vector);

// Replaces the group numbers by genotype numbers 1 to k in the order of first appearance and
// returns k (0 for no individuals).
int32_t renumber_genotypes(std::span<int32_t> geno_vector);

// The genotype number of every individual at the threshold, and the number of genotypes.
struct Genotypes {
    std::vector<int32_t> numbers;
    int32_t count = 0;
};
Genotypes genotypes_at_threshold(const DistanceMatrix& matrix, int32_t threshold);

}  // namespace kelvane
