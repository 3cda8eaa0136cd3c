// Closest-allele matching of the stepwise distances.
#include "kelvane/distance/matching/closest_allele_matching.hpp"

#include <utility>

#include "kelvane/distance/capped_steps.hpp"
#include "kelvane/distance/locus_genotypes.hpp"

namespace kelvane {
namespace {

// A difference of this many steps or more never makes a match.
constexpr int64_t kNoMatch = 9999;

// Copies of looking[0..range) pick partners among others[0..range); others is reordered.
int64_t one_direction(std::span<const int32_t> looking, std::span<int32_t> others, int range,
                      bool squared_cost) {
    int64_t sum = 0;
    int active = range;
    for (int m = 0; m < range; ++m) {
        const int32_t copy = looking[static_cast<std::size_t>(m)];
        int64_t best = kNoMatch;
        int chosen = -1;
        for (int s = 0; s < active; ++s) {
            const int32_t other = others[static_cast<std::size_t>(s)];
            const int64_t steps = capped_steps(copy, other);
            if (steps < best && other != 0 && copy != 0) {
                best = steps;
                chosen = s;
            }
        }
        if (chosen >= 0) {
            sum = capped_add(sum, squared_cost ? capped_square(best) : best);
            std::swap(others[static_cast<std::size_t>(chosen)],
                      others[static_cast<std::size_t>(active - 1)]);
            --active;
        }
    }
    return sum;
}

}  // namespace

MatchingSums closest_allele_matching(std::span<int32_t> first, std::span<int32_t> second, int range,
                                     bool squared_cost) {
    MatchingSums sums;
    sums.first_to_second = one_direction(first, second, range, squared_cost);
    sort_descending(first);
    sort_descending(second);
    sums.second_to_first = one_direction(second, first, range, squared_cost);
    sort_descending(first);
    sort_descending(second);
    return sums;
}

}  // namespace kelvane
