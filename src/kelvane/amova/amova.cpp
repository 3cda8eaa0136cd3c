// The simple AMOVA of the analysis menu: the checks of the populations, the table of the
// observed assignment and the permutation test of Phi-st.
//
// Individuals whose population number lies outside 1 to P belong to no population and take no
// part. The permutations are drawn one after another from the run's generator, each shuffling
// the previous one; only the evaluation of the drawn assignments runs on several threads, and
// each of its results is independent of the threads, so the output is that of a single thread.
#include "amova.hpp"

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "array_utils.hpp"
#include "genotype_operations.hpp"
#include "printf.hpp"

namespace kelvane {
namespace {

// Permutations drawn before they are evaluated together.
constexpr int64_t kPermutationsPerRound = 128;

constexpr double kStronglyNegative = -0.2;

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

const char* refusal_message(AmovaRefusal refusal) {
    switch (refusal) {
        case AmovaRefusal::kOnePopulation:
            return "Only one population, AMOVA not possible\n";
        case AmovaRefusal::kSingleIndividual:
            return "One or more populations have only one individual, AMOVA not possible\n";
        case AmovaRefusal::kOneOccupiedPopulation:
            break;
    }
    return "There is only one population that contains individuals, AMOVA not possible\n";
}

// An answer without a number asks again.
int32_t ask_permutations(clonal::Console& console) {
    int32_t answer = 0;
    do {
        console.print("\nGive the number of permutations (e.g. 99 or 999)\n");
    } while (!console.read_int(answer));
    return answer;
}

unsigned evaluation_threads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores, 1u, 8u);
}

// The next round of permutations: each one shuffles the one before it.
std::vector<std::vector<int32_t>> draw_permutations(clonal::Random& random,
                                                    std::vector<int32_t>& assignment,
                                                    int64_t count) {
    std::vector<std::vector<int32_t>> drawn(static_cast<std::size_t>(count));
    for (std::vector<int32_t>& permuted : drawn) {
        clonal::shuffle(random, assignment);
        permuted = assignment;
    }
    return drawn;
}

}  // namespace

void PermutationCounts::add(double permuted, double observed) {
    if (permuted == observed) {
        ++equal;
    } else if (permuted < observed) {
        ++smaller;
    } else if (permuted > observed) {
        ++greater;
    }
}

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

double amova_phi_st(clonal::Console& console, const SamplePairs& pairs,
                    std::span<const int32_t> groups, std::span<const int32_t> group_sizes,
                    bool print) {
    const std::vector<double> within =
        within_sums(pairs, groups, static_cast<int32_t>(group_sizes.size()));
    const AmovaTable table = amova_table(pairs.total(), within, group_sizes);
    if (print) {
        print_amova_table(console, table);
    }
    return table.phi_st;
}

void print_amova_table(clonal::Console& console, const AmovaTable& table) {
    using clonal::printable;
    console.print("AMOVA\n(assumes distances are squared Euclidean)\n\n");
    console.print("                  SS      d.f.     var.comp.  perc. var\n");
    console.print("Within pops:   %6.2f  %6d       %6.2f       %2.1f\n", printable(table.ss_within),
                  table.df_within, printable(table.sigma2_within),
                  printable((100 * table.sigma2_within) / table.sigma2_total));
    console.print("Among pops:    %6.2f  %6d       %6.2f       %2.1f\n", printable(table.ss_among),
                  table.df_among, printable(table.sigma2_among),
                  printable((100 * table.sigma2_among) / table.sigma2_total));
    console.print("Total:         %6.2f  %6d       %6.2f\n", printable(table.ss_total),
                  table.df_total, printable(table.sigma2_total));
    console.print("\nPhi-st:        %5.3f\n", printable(table.phi_st));
}

int simple_amova(clonal::Console& console, clonal::Random& random, const DistanceMatrix& matrix,
                 std::span<const int32_t> pop_vector, int32_t n_populations) {
    console.print("\n");
    clonal::print_separator(console.out());
    if (const auto refusal = amova_refusal(pop_vector, n_populations)) {
        console.print("%s", refusal_message(*refusal));
        return 0;
    }
    const AmovaSample sample = amova_sample(pop_vector, n_populations);
    const SamplePairs pairs(matrix, sample.members);
    const double observed = amova_phi_st(console, pairs, sample.groups, sample.group_sizes, true);
    if (observed < kStronglyNegative) {
        console.print("Phi_st estimate is strongly negative, use results with care\n");
        console.print(
            "Make sure that the used distance matrix contains squared Euclidean distances\n");
    }
    const int32_t answer = ask_permutations(console);
    // A negative answer asks for every permuted value; its size is the number of permutations.
    const bool verbose = answer < 0;
    const int64_t permutations = std::abs(int64_t{answer});
    if (verbose) {
        console.print("original\t%f\n", clonal::printable(observed));
    }
    std::vector<int32_t> assignment = sample.groups;
    PermutationCounts counts;
    for (int64_t done = 0; done < permutations;) {
        const int64_t round = std::min(kPermutationsPerRound, permutations - done);
        const auto drawn = draw_permutations(random, assignment, round);
        const std::vector<double> permuted =
            permuted_phi_st(pairs, drawn, sample.group_sizes, evaluation_threads());
        for (const double value : permuted) {
            ++done;
            if (verbose) {
                console.print("%lld\t%f\n", static_cast<long long>(done), clonal::printable(value));
            }
            counts.add(value, observed);
        }
    }
    const auto denominator = static_cast<double>(permutations + 1);
    console.print("\np(greater):  %0.4f\n",
                  static_cast<double>(counts.greater + counts.equal + 1) / denominator);
    if (observed <= 0 || verbose) {
        console.print("p(smaller):  %0.3f\n",
                      static_cast<double>(counts.smaller + counts.equal + 1) / denominator);
    }
    return 1;
}

}  // namespace kelvane
