// The best matching of a few copies over the sets of used columns.
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
#include "kelvane/distance/matching/subset_matching.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <utility>

#include "common/core/bug_check.hpp"
#include "kelvane/distance/matching/best_matching.hpp"

namespace kelvane {
namespace {

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

template <int K>
double best_sum(const CostTable& costs) {
    SubsetWork<K> work;
    for (int x = 0; x < K; ++x) {
        for (int y = 0; y < K; ++y) {
            work.cost[static_cast<std::size_t>(x * K + y)] = costs.at(x, y);
        }
    }
    // Every set is written by its first step before any step reads it.
    work.best[0] = 0.0;
    constexpr std::size_t steps = SubsetPlan<K>::kSteps;
    take_steps<K>(work, std::make_index_sequence<(steps + kChunk - 1) / kChunk>{});
    return work.best.back();
}

}  // namespace

static_assert(kSubsetMatchingCopies == 8, "one case below for every copy count taken");

double subset_matching_sum(const CostTable& costs, int k) {
    switch (k) {
        case 0:
            return 0.0;
        case 1:
            return best_sum<1>(costs);
        case 2:
            return best_sum<2>(costs);
        case 3:
            return best_sum<3>(costs);
        case 4:
            return best_sum<4>(costs);
        case 5:
            return best_sum<5>(costs);
        case 6:
            return best_sum<6>(costs);
        case 7:
            return best_sum<7>(costs);
        case 8:
            return best_sum<8>(costs);
        default:
            break;
    }
    clonal::bug_check_failed("a copy count the programme takes", __FILE__, __LINE__);
}

}  // namespace kelvane
