// The order of the pairs of populations.
#include "marsyl/analysis/population_pairs.hpp"

#include "marsyl/analysis/pair_progress.hpp"

namespace marsyl::analysis {

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
