// The individuals that take part in the simple AMOVA, their populations, and why an AMOVA cannot
// run on a data set.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelvane {

// The individuals of an AMOVA: those with a population number from 1 to P, in input order.
// Populations are held by their place among the occupied populations (0 for the first occupied
// one), which keeps the order of the populations and leaves out the empty ones.
struct AmovaSample {
    std::vector<int> members;
    std::vector<int32_t> groups;       // the group of each member
    std::vector<int32_t> group_sizes;  // the size of each occupied population, in order
};

enum class AmovaRefusal { kOnePopulation, kSingleIndividual, kOneOccupiedPopulation };

// Why an AMOVA cannot run on a data set, or nothing when it can.
std::optional<AmovaRefusal> amova_refusal(std::span<const int32_t> pop_vector,
                                          int32_t n_populations);

// Why the AMOVA cannot run, as a sentence (without its line end).
const char* refusal_sentence(AmovaRefusal refusal);
// The same to follow other words, its first letter small: "only one population, ...".
std::string refusal_clause(AmovaRefusal refusal);

AmovaSample amova_sample(std::span<const int32_t> pop_vector, int32_t n_populations);

}  // namespace kelvane
