// The genotypes of every individual at every threshold from 0 up to the first threshold at which
// at most one genotype remains, and the text table of them (the big genotypes file).
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The table held by its distinct columns: consecutive thresholds between two merges of
// genotypes share one column, so the table never needs more columns than there are merges.
struct GenotypeTable {
    int individuals = 0;
    // The last threshold of the table: the first one at which at most one genotype remains.
    int64_t last_threshold = 0;
    // The first threshold of each stored column, ascending from 0; a column holds for every
    // threshold up to the one before the next column's start (the last up to last_threshold).
    std::vector<int64_t> column_start;
    // Genotype numbers, column after column: numbers[column * individuals + individual].
    std::vector<int32_t> numbers;

    int32_t genotype(int individual, int64_t threshold) const;
};

// The table from one minimum spanning tree of the pairs (upper triangle) and a sweep over its
// edges by weight: the genotypes at a threshold are the components joined by the tree edges at
// or below it. Costs O(n^2) for the tree, whatever the thresholds.
GenotypeTable genotype_table(const DistanceMatrix& matrix);

// The same table by grouping from scratch at every threshold: the plain method, kept as the
// reference the fast one is checked and timed against.
GenotypeTable genotype_table_by_regrouping(const DistanceMatrix& matrix);

// The text table: "name\t", every threshold and a tab, a line end; then per individual its name,
// a tab, its genotype at every threshold followed by a tab, and a line end.
void write_genotype_table(const GenotypeTable& table, std::span<const std::string> names,
                          std::ostream& out);

// The number of genotypes at threshold 0 and at every threshold where it changes, up to the
// first at which one genotype remains: the counts of the table's columns, without the table.
// Thresholds are in the distances' unit: whole numbers on a matrix, real ones on real distances.
struct ThresholdCount {
    double threshold;
    int32_t genotypes;

    bool operator==(const ThresholdCount&) const = default;
};
std::vector<ThresholdCount> genotype_counts(const DistanceMatrix& matrix);

// The same counts from the heights (ascending, whole or real) at which the groups of the
// individuals merge, one merge per height.
template <class Height>
std::vector<ThresholdCount> counts_at_merges(int individuals, std::span<const Height> heights) {
    std::vector<ThresholdCount> counts;
    auto remaining = static_cast<int32_t>(individuals);
    std::size_t next = 0;
    Height threshold = 0;
    for (;;) {
        while (next < heights.size() && heights[next] <= threshold) {
            --remaining;
            ++next;
        }
        counts.push_back({static_cast<double>(threshold), remaining});
        if (next == heights.size()) {
            return counts;
        }
        threshold = heights[next];
    }
}
template <class Height>
std::vector<ThresholdCount> counts_at_merges(int individuals, const std::vector<Height>& heights) {
    return counts_at_merges(individuals, std::span<const Height>(heights));
}

// Builds the table and writes it.
void genotypes_all_thresholds(const DistanceMatrix& matrix, std::span<const std::string> names,
                              std::ostream& out);

}  // namespace kelvane
