// The simple AMOVA in the dialogue.
#include "kelvane/dialogue/amova_dialogue.hpp"

#include <cstdlib>

#include "common/dialogue/separator.hpp"
#include "kelvane/analysis/amova.hpp"

namespace kelvane::dialogue {
namespace {

constexpr double kStronglyNegative = -0.2;

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

// An answer without a number asks again.
int32_t ask_permutations(clonal::Console& console) {
    int32_t answer = 0;
    do {
        console.print("\nGive the number of permutations (e.g. 99 or 999)\n");
    } while (!console.read_int(answer));
    return answer;
}

}  // namespace

int simple_amova(clonal::Console& console, clonal::Random& random, const DistanceMatrix& matrix,
                 std::span<const int32_t> pop_vector, int32_t n_populations) {
    console.print("\n");
    clonal::print_separator(console.out());
    const analysis::Amova amova(matrix, pop_vector, n_populations);
    if (amova.refusal()) {
        console.print("%s\n", refusal_sentence(*amova.refusal()));
        return 0;
    }
    const AmovaTable& table = amova.table();
    print_amova_table(console, table);
    const double observed = table.phi_st;
    if (observed < kStronglyNegative) {
        console.print("Phi_st estimate is strongly negative, use results with care\n");
        console.print(
            "Make sure that the used distance matrix contains squared Euclidean distances\n");
    }
    const int32_t answer = ask_permutations(console);
    // A negative answer asks for every permuted value; its size is the number of permutations.
    const bool verbose = answer < 0;
    const int64_t permutations = std::abs(int64_t{answer});
    PermutedValue print_value;
    if (verbose) {
        console.print("original\t%f\n", clonal::printable(observed));
        print_value = [&console](int64_t permutation, double value) {
            console.print("%lld\t%f\n", static_cast<long long>(permutation),
                          clonal::printable(value));
        };
    }
    const AmovaPermutationTest test = amova.test(permutations, random, {}, print_value);
    console.print("\np(greater):  %0.4f\n", test.p_greater());
    if (observed <= 0 || verbose) {
        console.print("p(smaller):  %0.3f\n", test.p_smaller());
    }
    return 1;
}

}  // namespace kelvane::dialogue
