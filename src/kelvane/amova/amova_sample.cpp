// The individuals of the simple AMOVA. Individuals whose population number lies outside 1 to P
// belong to no population and take no part.
#include "kelvane/amova/amova_sample.hpp"

#include <algorithm>
#include <cctype>

namespace kelvane {
namespace {

struct OccupiedPopulation {
    int32_t number;
    int32_t size;
};

// The populations 1 to P that hold individuals, in increasing order, with their sizes. Counted by
// sorting, so that the room needed depends on the individuals and not on P, which a header may
// declare far larger.
std::vector<OccupiedPopulation> occupied_populations(std::span<const int32_t> pop_vector,
                                                     int32_t n_populations) {
    std::vector<int32_t> numbers;
    for (const int32_t population : pop_vector) {
        if (population >= 1 && population <= n_populations) {
            numbers.push_back(population);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<OccupiedPopulation> occupied;
    for (const int32_t population : numbers) {
        if (occupied.empty() || occupied.back().number != population) {
            occupied.push_back({population, 0});
        }
        ++occupied.back().size;
    }
    return occupied;
}

}  // namespace

std::optional<AmovaRefusal> amova_refusal(std::span<const int32_t> pop_vector,
                                          int32_t n_populations) {
    if (n_populations == 1) {
        return AmovaRefusal::kOnePopulation;
    }
    const std::vector<OccupiedPopulation> occupied =
        occupied_populations(pop_vector, n_populations);
    for (const OccupiedPopulation& population : occupied) {
        if (population.size == 1) {
            return AmovaRefusal::kSingleIndividual;
        }
    }
    if (occupied.size() <= 1) {
        return AmovaRefusal::kOneOccupiedPopulation;
    }
    return std::nullopt;
}

const char* refusal_sentence(AmovaRefusal refusal) {
    switch (refusal) {
        case AmovaRefusal::kOnePopulation:
            return "Only one population, AMOVA not possible";
        case AmovaRefusal::kSingleIndividual:
            return "One or more populations have only one individual, AMOVA not possible";
        case AmovaRefusal::kOneOccupiedPopulation:
            break;
    }
    return "There is only one population that contains individuals, AMOVA not possible";
}

std::string refusal_clause(AmovaRefusal refusal) {
    std::string clause = refusal_sentence(refusal);
    clause[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(clause[0])));
    return clause;
}

AmovaSample amova_sample(std::span<const int32_t> pop_vector, int32_t n_populations) {
    const std::vector<OccupiedPopulation> occupied =
        occupied_populations(pop_vector, n_populations);
    AmovaSample sample;
    for (const OccupiedPopulation& population : occupied) {
        sample.group_sizes.push_back(population.size);
    }
    for (std::size_t i = 0; i < pop_vector.size(); ++i) {
        const int32_t population = pop_vector[i];
        if (population >= 1 && population <= n_populations) {
            const auto group = std::lower_bound(
                occupied.begin(), occupied.end(), population,
                [](const OccupiedPopulation& x, int32_t number) { return x.number < number; });
            sample.members.push_back(static_cast<int>(i));
            sample.groups.push_back(static_cast<int32_t>(group - occupied.begin()));
        }
    }
    return sample;
}

}  // namespace kelvane
