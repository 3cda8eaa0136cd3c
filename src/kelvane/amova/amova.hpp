// The simple AMOVA: which individuals take part, Phi-st of an assignment with its printed table,
// and the permutation test (simple_amova, declared with the other analyses).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "amova_sums.hpp"
#include "amova_table.hpp"
#include "console.hpp"

namespace kelvane {

// The individuals of an AMOVA: those with a population number from 1 to P, in input order.
// Populations are held by their place among the occupied populations (0 for the first occupied
// one), which keeps the order of the populations and leaves out the empty ones.
struct AmovaSample {
    std::vector<int> members;
    std::vector<int32_t> groups;       // the group of each member
    std::vector<int32_t> group_sizes;  // the size of each occupied population, in order
};

// Why an AMOVA cannot run on a data set, or nothing when it can.
enum class AmovaRefusal { kOnePopulation, kSingleIndividual, kOneOccupiedPopulation };
std::optional<AmovaRefusal> amova_refusal(std::span<const int32_t> pop_vector,
                                          int32_t n_populations);

AmovaSample amova_sample(std::span<const int32_t> pop_vector, int32_t n_populations);

// The AMOVA of the members assigned to groups; the table goes to the console when print is set.
double amova_phi_st(clonal::Console& console, const SamplePairs& pairs,
                    std::span<const int32_t> groups, std::span<const int32_t> group_sizes,
                    bool print);

void print_amova_table(clonal::Console& console, const AmovaTable& table);

// Permutations and their verdicts against the observed Phi-st; a permuted value that is not a
// number counts nowhere.
struct PermutationCounts {
    int64_t greater = 0;
    int64_t smaller = 0;
    int64_t equal = 0;
    void add(double permuted, double observed);
};

}  // namespace kelvane
