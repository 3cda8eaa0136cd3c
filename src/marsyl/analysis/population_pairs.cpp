// The order of the pairs of populations.
#include "marsyl/analysis/population_pairs.hpp"

#include <string>

#include "common/core/machine_memory.hpp"
#include "marsyl/analysis/pair_progress.hpp"

namespace marsyl::analysis {

void check_pairs_memory(int32_t populations, double bytes_per_pair) {
    const double pairs = static_cast<double>(populations) * (populations - 1.0) / 2.0;
    clonal::check_memory_for("the tests of the " + std::to_string(static_cast<int64_t>(pairs)) +
                                 " pairs of " + std::to_string(populations) + " populations",
                             pairs * bytes_per_pair);
}

void for_each_population_pair(
    int32_t populations, const clonal::ProgressReport& progress, const PairStarted& started,
    const std::function<void(int32_t a, int32_t b, const clonal::ProgressReport& pair)>& test) {
    PairsProgress pairs(progress, populations);
    for (int32_t a = 2; a <= populations; ++a) {
        for (int32_t b = 1; b < a; ++b) {
            if (started) {
                started(a, b);
            }
            test(a, b, pairs.next_pair());
        }
    }
}

}  // namespace marsyl::analysis
