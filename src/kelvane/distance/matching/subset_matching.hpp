// The best matching of a few allele copies by a dynamic programme over the sets of columns that
// the first rows take: exact for every table, and cheaper than an assignment method at these
// sizes because its work does not depend on the costs.
//
// Why it is exact: rounding to nearest is monotone (if s <= s', then s + e rounds to at most what
// s' + e rounds to), and a matching's row-order sum adds the entry of row r to the partial sum of
// rows 0..r-1. So among the matchings that give one set of columns to the first rows, only the
// smallest partial sum can lead to the smallest total: keeping that one per set, and extending
// it by each free column in turn, reaches the smallest total of all k! matchings, bit for bit.
//
// Why it is spelled out step by step: for a fixed k the sets and the steps between them are
// known when compiling, so each step becomes a load, an addition and a minimum at fixed places,
// without branches whose outcome depends on the costs (an assignment method mispredicts many).
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <utility>

namespace kelvane {

struct CostTable;

// The largest copy count the programme takes (its work grows as k 2^k).
inline constexpr int kSubsetMatchingCopies = 8;

// The smallest row-order sum in double precision over all matchings of the first k rows with the
// first k columns, for 0 <= k <= kSubsetMatchingCopies (0.0 for k = 0). Entries must be finite.
double subset_matching_sum(const CostTable& costs, int k);

namespace subset_programme {

// Every step of the programme for k copies: best[target] is the smallest of
// best[source] + cost(row, column) over the steps of that target, where target is source plus
// column and row the number of columns in source. Sets are bit sets of columns, visited by size
// so that a set is complete before any larger one reads it.
template <int K>
struct SubsetPlan {
    struct Step {
        int target = 0;
        int source = 0;
        int row = 0;
        int column = 0;
        bool first = false;  // the target's first step, which sets it
    };
    static constexpr std::size_t kSteps = std::size_t{K} << (K - 1);  // s sources per set of s

    std::array<Step, kSteps> steps{};

    constexpr SubsetPlan() {
        int n = 0;
        for (int size = 1; size <= K; ++size) {
            for (int set = 1; set < (1 << K); ++set) {
                if (std::popcount(static_cast<unsigned>(set)) != size) {
                    continue;
                }
                bool first = true;
                for (int column = 0; column < K; ++column) {
                    if ((set >> column) & 1) {
                        steps[static_cast<std::size_t>(n++)] = {set, set & ~(1 << column), size - 1,
                                                                column, first};
                        first = false;
                    }
                }
            }
        }
    }
};

template <int K>
inline constexpr SubsetPlan<K> kPlan{};

// The costs and the best partial sums of one table in one object: every access is at a fixed
// offset from the same place, so the compiler sees that storing a partial sum changes no cost
// and keeps costs and running minima in registers.
template <int K>
struct SubsetWork {
    std::array<double, K * K> cost;
    std::array<double, std::size_t{1} << K> best;
};

template <int K, std::size_t I>
inline void take_step(SubsetWork<K>& work) {
    constexpr auto step = kPlan<K>.steps[I];
    const double sum = work.best[step.source] + work.cost[step.row * K + step.column];
    if constexpr (step.first) {
        work.best[step.target] = sum;
    } else {
        work.best[step.target] = std::min(work.best[step.target], sum);
    }
}

// The steps in chunks: a fold over all of them at once would nest deeper than some compilers
// allow (256 levels).
constexpr std::size_t kChunk = 64;

template <int K, std::size_t Chunk, std::size_t... I>
inline void take_chunk(SubsetWork<K>& work, std::index_sequence<I...>) {
    (take_step<K, Chunk * kChunk + I>(work), ...);
}

template <int K, std::size_t... Chunk>
inline void take_steps(SubsetWork<K>& work, std::index_sequence<Chunk...>) {
    constexpr std::size_t steps = SubsetPlan<K>::kSteps;
    (take_chunk<K, Chunk>(work,
                          std::make_index_sequence<std::min(kChunk, steps - Chunk * kChunk)>{}),
     ...);
}

}  // namespace subset_programme

// The smallest row-order sum over all matchings of K rows with K columns, entry (x, y) being
// cost(x, y): the same value as subset_matching_sum of the table of those entries, for a caller
// that has the entries without a table.
template <int K, class Cost>
double subset_matching_sum_of(Cost cost) {
    using namespace subset_programme;
    SubsetWork<K> work;
    for (int x = 0; x < K; ++x) {
        for (int y = 0; y < K; ++y) {
            work.cost[static_cast<std::size_t>(x * K + y)] = cost(x, y);
        }
    }
    // Every set is written by its first step before any step reads it.
    work.best[0] = 0.0;
    constexpr std::size_t steps = SubsetPlan<K>::kSteps;
    take_steps<K>(work, std::make_index_sequence<(steps + kChunk - 1) / kChunk>{});
    return work.best.back();
}

}  // namespace kelvane
