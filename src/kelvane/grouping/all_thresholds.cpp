// The genotypes at every threshold. Single-linkage groups at threshold t are the connected
// components of the pairs at or below t, and those are the components of the edges at or below t
// of any minimum spanning tree of the pairs. So one tree, its edges sorted by weight and a
// union-find sweep over them give every column of the table, numbered exactly as regrouping at
// each threshold numbers them (by the first member of each genotype in input order).
#include "kelvane/grouping/all_thresholds.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>

#include "common/core/allocation.hpp"
#include "common/core/fatal_error.hpp"
#include "common/text/buffered_text.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_tree.hpp"
#include "kelvane/grouping/union_find.hpp"

namespace kelvane {
namespace {

constexpr const char* kTableOutOfMemory = "cut_matrix, out of memory\n";

std::vector<TreeEdge> sorted_tree(const DistanceMatrix& matrix) {
    std::vector<TreeEdge> edges = minimum_spanning_tree(
        matrix.size(), [&matrix](int u, int v) { return linking_distance(matrix, u, v); });
    std::sort(edges.begin(), edges.end(),
              [](const TreeEdge& x, const TreeEdge& y) { return x.weight < y.weight; });
    return edges;
}

// Columns of the table: one for threshold 0 and one for every distinct positive weight of the
// tree, since every tree edge joins two genotypes.
std::size_t count_columns(const std::vector<TreeEdge>& sorted_edges) {
    std::size_t columns = 1;
    for (std::size_t e = 0; e < sorted_edges.size(); ++e) {
        const int32_t w = sorted_edges[e].weight;
        if (w > 0 && (e == 0 || w != sorted_edges[e - 1].weight)) {
            ++columns;
        }
    }
    return columns;
}

// Numbers the components 1 to k by their first member in input order into column.
void number_components(UnionFind& groups, std::span<int32_t> column, std::vector<int>& stamp,
                       std::vector<int32_t>& number_of_root, int column_index) {
    int32_t count = 0;
    for (std::size_t i = 0; i < column.size(); ++i) {
        const auto root = static_cast<std::size_t>(groups.find(static_cast<int>(i)));
        if (stamp[root] != column_index) {
            stamp[root] = column_index;
            number_of_root[root] = ++count;
        }
        column[i] = number_of_root[root];
    }
}

std::vector<int32_t> allocate_columns(std::size_t columns, int n) {
    return clonal::allocate_or_fail<int32_t>(columns * static_cast<std::size_t>(n),
                                             kTableOutOfMemory, clonal::ErrorStream::kErrorStream,
                                             clonal::ErrorLead::kNone);
}

// A number followed by a tab, as "%d\t" writes it.
struct NumberWithTab {
    explicit NumberWithTab(int64_t value) {
        const auto result = std::to_chars(text, text + sizeof text - 1, value);
        *result.ptr = '\t';
        length = static_cast<std::size_t>(result.ptr - text) + 1;
    }
    std::string_view view() const { return {text, length}; }

    char text[24];
    std::size_t length;
};

}  // namespace

int32_t GenotypeTable::genotype(int individual, int64_t threshold) const {
    const auto after = std::upper_bound(column_start.begin(), column_start.end(), threshold);
    const auto column = static_cast<std::size_t>(after - column_start.begin()) - 1;
    return numbers[column * static_cast<std::size_t>(individuals) +
                   static_cast<std::size_t>(individual)];
}

GenotypeTable genotype_table(const DistanceMatrix& matrix) {
    const int n = matrix.size();
    GenotypeTable table;
    table.individuals = n;
    const std::vector<TreeEdge> edges = sorted_tree(matrix);
    const std::size_t columns = count_columns(edges);
    table.numbers = allocate_columns(columns, n);
    table.column_start.reserve(columns);

    UnionFind groups(n);
    std::vector<int> stamp(static_cast<std::size_t>(n), -1);
    std::vector<int32_t> number_of_root(static_cast<std::size_t>(n), 0);
    int remaining = n;
    std::size_t next_edge = 0;
    int64_t threshold = 0;
    for (;;) {
        while (next_edge < edges.size() && edges[next_edge].weight <= threshold) {
            if (groups.join(edges[next_edge].a, edges[next_edge].b)) {
                --remaining;
            }
            ++next_edge;
        }
        const auto column_index = static_cast<int>(table.column_start.size());
        table.column_start.push_back(threshold);
        const std::span<int32_t> column =
            std::span<int32_t>(table.numbers)
                .subspan(static_cast<std::size_t>(column_index) * static_cast<std::size_t>(n),
                         static_cast<std::size_t>(n));
        number_components(groups, column, stamp, number_of_root, column_index);
        if (remaining <= 1) {
            break;
        }
        // The genotypes stay as they are up to the weight of the next tree edge.
        threshold = edges[next_edge].weight;
    }
    table.last_threshold = threshold;
    return table;
}

std::vector<ThresholdCount> genotype_counts(const DistanceMatrix& matrix) {
    // Every tree edge joins two genotypes, so the count falls by one per edge.
    const std::vector<TreeEdge> edges = sorted_tree(matrix);
    std::vector<int64_t> heights;
    heights.reserve(edges.size());
    for (const TreeEdge& edge : edges) {
        heights.push_back(edge.weight);
    }
    return counts_at_merges(matrix.size(), heights);
}

GenotypeTable genotype_table_by_regrouping(const DistanceMatrix& matrix) {
    const int n = matrix.size();
    GenotypeTable table;
    table.individuals = n;
    for (int64_t threshold = 0;; ++threshold) {
        std::vector<int32_t> geno_vector = clonal::allocate_or_fail<int32_t>(
            static_cast<std::size_t>(n), "make_geno_vector malloc failed, more memory needed ");
        assign_genotypes(matrix, static_cast<int32_t>(threshold), geno_vector);
        const int32_t count = renumber_genotypes(geno_vector);
        clonal::with_memory_message(
            kTableOutOfMemory,
            [&] {
                table.column_start.push_back(threshold);
                table.numbers.insert(table.numbers.end(), geno_vector.begin(), geno_vector.end());
            },
            clonal::ErrorStream::kErrorStream, clonal::ErrorLead::kNone);
        if (count <= 1) {
            table.last_threshold = threshold;
            return table;
        }
    }
}

void write_genotype_table(const GenotypeTable& table, std::span<const std::string> names,
                          std::ostream& out) {
    // A stream that failed (a full disk) takes no more: the failure is reported when the file
    // is closed, and the rest of a large table (a line may hold 2^31 thresholds) would only be
    // formatted in vain.
    clonal::BufferedText text(out);
    text.append("name\t");
    for (int64_t threshold = 0; threshold <= table.last_threshold && text.good(); ++threshold) {
        text.append(NumberWithTab(threshold).view());
    }
    text.append("\n");
    const std::size_t columns = table.column_start.size();
    const auto n = static_cast<std::size_t>(table.individuals);
    for (std::size_t i = 0; i < n && text.good(); ++i) {
        // As "%s" writes it: up to the first zero character.
        const char* name = names[i].c_str();
        text.append(std::string_view(name, std::strlen(name)));
        text.append("\t");
        for (std::size_t c = 0; c < columns && text.good(); ++c) {
            const int64_t end =
                c + 1 < columns ? table.column_start[c + 1] : table.last_threshold + 1;
            const NumberWithTab entry(table.numbers[c * n + i]);
            for (int64_t threshold = table.column_start[c]; threshold < end && text.good();
                 ++threshold) {
                text.append(entry.view());
            }
        }
        text.append("\n");
    }
}

void genotypes_all_thresholds(const DistanceMatrix& matrix, std::span<const std::string> names,
                              std::ostream& out) {
    write_genotype_table(genotype_table(matrix), names, out);
}

}  // namespace kelvane
