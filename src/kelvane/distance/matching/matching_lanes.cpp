// The programme over sets of columns with one pair of genotypes per lane. Every step does the same
// addition and minimum on each lane, so the steps become vector instructions; the costs are
// gathered from the step costs by the differences of the copies. Each lane computes exactly what
// the programme computes for its pair alone.
#include "kelvane/distance/matching/matching_lanes.hpp"

#include <algorithm>
#include <cstddef>
#include <utility>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

#include "common/core/bug_check.hpp"
#include "kelvane/distance/matching/subset_matching.hpp"

namespace kelvane {
namespace {

constexpr std::size_t kLanes = kMatchingLanes;

template <int K>
struct LaneWork {
    alignas(64) double cost[K * K][kLanes];
    alignas(64) double best[std::size_t{1} << K][kLanes];
};

template <int K, std::size_t I>
[[gnu::always_inline]] inline void lane_step(LaneWork<K>& work) {
    constexpr auto step = subset_programme::kPlan<K>.steps[I];
    double* target = work.best[step.target];
    const double* source = work.best[step.source];
    const double* cost = work.cost[step.row * K + step.column];
    for (std::size_t l = 0; l < kLanes; ++l) {
        const double sum = source[l] + cost[l];
        if constexpr (step.first) {
            target[l] = sum;
        } else {
            target[l] = std::min(target[l], sum);
        }
    }
}

template <int K, std::size_t Chunk, std::size_t... I>
[[gnu::always_inline]] inline void lane_chunk(LaneWork<K>& work, std::index_sequence<I...>) {
    (lane_step<K, Chunk * subset_programme::kChunk + I>(work), ...);
}

template <int K, std::size_t... Chunk>
[[gnu::always_inline]] inline void lane_steps(LaneWork<K>& work, std::index_sequence<Chunk...>) {
    using subset_programme::kChunk;
    constexpr std::size_t steps = subset_programme::SubsetPlan<K>::kSteps;
    (lane_chunk<K, Chunk>(work,
                          std::make_index_sequence<std::min(kChunk, steps - Chunk * kChunk)>{}),
     ...);
}

// The costs of one entry on every lane: step_costs at the distances of a copy to the lanes'
// copies. Written out for the vector units that gather, which compilers do not always choose.
struct PlainGather {
    static void costs(int32_t copy, const int32_t* columns, const double* step_costs,
                      double* costs) {
        for (std::size_t l = 0; l < kLanes; ++l) {
            const int32_t difference = copy - columns[l];
            costs[l] = step_costs[difference < 0 ? -difference : difference];
        }
    }
};

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

static_assert(kLanes == 8, "one vector of eight doubles, or two of four");

// The steps between a copy and the eight lanes' copies.
[[gnu::target("avx2")]] inline __m256i steps_apart(int32_t copy, const int32_t* columns) {
    return _mm256_abs_epi32(_mm256_sub_epi32(
        _mm256_set1_epi32(copy), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns))));
}

struct Avx512Gather {
    [[gnu::target("avx512f")]] static inline void costs(int32_t copy, const int32_t* columns,
                                                        const double* step_costs, double* costs) {
        const __m256i distances = steps_apart(copy, columns);
        // The masked forms, with every lane on: the unmasked ones start from an undefined
        // vector that some compilers warn about.
        _mm512_store_pd(
            costs, _mm512_mask_i32gather_pd(_mm512_setzero_pd(), 0xff, distances, step_costs, 8));
    }
};

struct Avx2Gather {
    [[gnu::target("avx2")]] static inline void costs(int32_t copy, const int32_t* columns,
                                                     const double* step_costs, double* costs) {
        const __m256i distances = steps_apart(copy, columns);
        const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
        _mm256_store_pd(costs, _mm256_mask_i32gather_pd(_mm256_setzero_pd(), step_costs,
                                                        _mm256_castsi256_si128(distances), all, 8));
        _mm256_store_pd(costs + 4,
                        _mm256_mask_i32gather_pd(_mm256_setzero_pd(), step_costs,
                                                 _mm256_extracti128_si256(distances, 1), all, 8));
    }
};

#endif

template <int K, class Gather>
[[gnu::always_inline]] inline void lane_sums(const int32_t* first, const int32_t* const* seconds,
                                             const double* step_costs, double* sums) {
    LaneWork<K> work;
    alignas(32) int32_t columns[K][kLanes];
    for (std::size_t l = 0; l < kLanes; ++l) {
        for (int y = 0; y < K; ++y) {
            columns[y][l] = seconds[l][y];
        }
    }
    for (int x = 0; x < K; ++x) {
        for (int y = 0; y < K; ++y) {
            Gather::costs(first[x], columns[y], step_costs, work.cost[x * K + y]);
        }
    }
    for (std::size_t l = 0; l < kLanes; ++l) {
        work.best[0][l] = 0.0;
    }
    constexpr std::size_t steps = subset_programme::SubsetPlan<K>::kSteps;
    lane_steps<K>(work, std::make_index_sequence<(steps + subset_programme::kChunk - 1) /
                                                 subset_programme::kChunk>{});
    for (std::size_t l = 0; l < kLanes; ++l) {
        sums[l] = work.best[(std::size_t{1} << K) - 1][l];
    }
}

static_assert(kLaneCopiesFrom == 2 && kLaneCopiesTo == 6, "one case below for every copy count");

#define KELVANE_MATCHING_LANES(suffix, attribute, gather)                                      \
    attribute void lanes_##suffix(int k, const int32_t* first, const int32_t* const* seconds,  \
                                  const double* step_costs, double* sums) {                    \
        switch (k) {                                                                           \
            case 2:                                                                            \
                return lane_sums<2, gather>(first, seconds, step_costs, sums);                 \
            case 3:                                                                            \
                return lane_sums<3, gather>(first, seconds, step_costs, sums);                 \
            case 4:                                                                            \
                return lane_sums<4, gather>(first, seconds, step_costs, sums);                 \
            case 5:                                                                            \
                return lane_sums<5, gather>(first, seconds, step_costs, sums);                 \
            case 6:                                                                            \
                return lane_sums<6, gather>(first, seconds, step_costs, sums);                 \
            default:                                                                           \
                clonal::bug_check_failed("a copy count matched in lanes", __FILE__, __LINE__); \
        }                                                                                      \
    }

KELVANE_MATCHING_LANES(plain, , PlainGather)

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
KELVANE_MATCHING_LANES(avx512, [[gnu::target("avx512f")]] [[gnu::flatten]], Avx512Gather)
KELVANE_MATCHING_LANES(avx2, [[gnu::target("avx2")]] [[gnu::flatten]], Avx2Gather)
#endif

}  // namespace

std::vector<MatchingLanesVersion> runnable_matching_lanes() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    __builtin_cpu_init();
    std::vector<MatchingLanesVersion> versions;
    if (__builtin_cpu_supports("avx512f")) {
        versions.push_back({"avx512", lanes_avx512});
    }
    if (__builtin_cpu_supports("avx2")) {
        versions.push_back({"avx2", lanes_avx2});
    }
#else
    std::vector<MatchingLanesVersion> versions;
#endif
    versions.push_back({"plain", lanes_plain});
    return versions;
}

void lane_matching_sums(int k, const int32_t* first, const int32_t* const* seconds,
                        const double* step_costs, double* sums) {
    matching_lanes_version().sums(k, first, seconds, step_costs, sums);
}

const MatchingLanesVersion& matching_lanes_version() {
    static const MatchingLanesVersion chosen = runnable_matching_lanes().front();
    return chosen;
}

}  // namespace kelvane
