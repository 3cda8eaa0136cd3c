// The simple AMOVA in the dialogue: refusals, the table and the permutation test.
#include "kelvane/dialogue/amova_dialogue.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/dialogue/console.hpp"

namespace kelvane::dialogue {
namespace {

const std::string kSeparator =
    "\n    --------------------------------------------------------------------\n\n";
const std::string kPrompt = "\nGive the number of permutations (e.g. 99 or 999)\n";
const std::string kTableHead =
    "AMOVA\n(assumes distances are squared Euclidean)\n\n"
    "                  SS      d.f.     var.comp.  perc. var\n";

// Distance within if two individuals share a population, between if not.
DistanceMatrix by_population(const std::vector<int32_t>& pops, int32_t within, int32_t between) {
    const auto n = static_cast<int>(pops.size());
    DistanceMatrix matrix(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            const bool same =
                pops[static_cast<std::size_t>(i)] == pops[static_cast<std::size_t>(j)];
            matrix.set_pair(i, j, same ? within : between);
        }
    }
    return matrix;
}

struct AmovaRun {
    int result;
    std::string console;
};

AmovaRun amova(const DistanceMatrix& matrix, const std::vector<int32_t>& pops, int32_t n_pops,
               const std::string& answers, clonal::Random& random) {
    std::istringstream in(answers);
    std::ostringstream out;
    clonal::Console console(in, out);
    const int result = simple_amova(console, random, matrix, pops, n_pops);
    return {result, out.str()};
}

AmovaRun amova(const DistanceMatrix& matrix, const std::vector<int32_t>& pops, int32_t n_pops,
               const std::string& answers) {
    clonal::Random random;
    return amova(matrix, pops, n_pops, answers, random);
}

const std::vector<int32_t> kSixInThree{1, 1, 2, 2, 3, 3};
const std::string kSixTable = kTableHead +
                              "Within pops:     3.00       3         1.00       50.0\n"
                              "Among pops:      6.00       2         1.00       50.0\n"
                              "Total:           9.00       5         2.00\n"
                              "\nPhi-st:        0.500\n";

TEST(SimpleAmova, SixIndividualsInThreePopulations) {
    const AmovaRun run = amova(by_population(kSixInThree, 2, 4), kSixInThree, 3, "0\n");
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.console, "\n" + kSeparator + kSixTable + kPrompt + "\np(greater):  1.0000\n");
}

TEST(SimpleAmova, FourIndividualsInTwoPopulationsWithVerboseThreePermutations) {
    // The shuffles from the start seeds give 2 1 2 1, then 1 2 1 2, then the data again.
    const std::vector<int32_t> pops{1, 1, 2, 2};
    const AmovaRun run = amova(by_population(pops, 0, 4), pops, 2, "-3\n");
    EXPECT_EQ(run.console, "\n" + kSeparator + kTableHead +
                               "Within pops:     0.00       2         0.00       0.0\n"
                               "Among pops:      4.00       1         2.00       100.0\n"
                               "Total:           4.00       3         2.00\n"
                               "\nPhi-st:        1.000\n" +
                               kPrompt +
                               "original\t1.000000\n"
                               "1\t-1.000000\n"
                               "2\t-1.000000\n"
                               "3\t1.000000\n"
                               "\np(greater):  0.5000\n"
                               "p(smaller):  1.000\n");
}

TEST(SimpleAmova, TwoVerbosePermutationsOfSix) {
    const AmovaRun run = amova(by_population(kSixInThree, 2, 4), kSixInThree, 3, "-2\n");
    EXPECT_EQ(run.console, "\n" + kSeparator + kSixTable + kPrompt +
                               "original\t0.500000\n"
                               "1\t0.090909\n"
                               "2\t0.090909\n"
                               "\np(greater):  0.3333\n"
                               "p(smaller):  1.000\n");
}

TEST(SimpleAmova, StronglyNegativePhiStWarnsAndShowsPSmaller) {
    // Populations 1 2 1 2 on distances that separate 0 1 from 2 3.
    const std::vector<int32_t> groups_of_distance{1, 1, 2, 2};
    const std::vector<int32_t> pops{1, 2, 1, 2};
    const AmovaRun run = amova(by_population(groups_of_distance, 0, 4), pops, 2, "none\n0\n");
    EXPECT_EQ(run.console,
              "\n" + kSeparator + kTableHead +
                  "Within pops:     4.00       2         2.00       200.0\n"
                  "Among pops:      0.00       1        -1.00       -100.0\n"
                  "Total:           4.00       3         1.00\n"
                  "\nPhi-st:        -1.000\n"
                  "Phi_st estimate is strongly negative, use results with care\n"
                  "Make sure that the used distance matrix contains squared Euclidean distances\n" +
                  kPrompt + kPrompt + "\np(greater):  1.0000\np(smaller):  1.000\n");
}

TEST(SimpleAmova, Refusals) {
    const DistanceMatrix matrix = by_population({1, 1, 2, 2}, 1, 2);
    const std::string head = "\n" + kSeparator;
    EXPECT_EQ(amova(matrix, {1, 1, 1, 1}, 1, "").console,
              head + "Only one population, AMOVA not possible\n");
    EXPECT_EQ(amova(matrix, {1, 1, 1, 2}, 2, "").console,
              head + "One or more populations have only one individual, AMOVA not possible\n");
    EXPECT_EQ(amova(matrix, {3, 3, 3, 1}, 3, "").console,
              head + "One or more populations have only one individual, AMOVA not possible\n");
    EXPECT_EQ(
        amova(matrix, {2, 2, 2, 2}, 3, "").console,
        head + "There is only one population that contains individuals, AMOVA not possible\n");
    EXPECT_EQ(amova(matrix, {1, 1, 1, 2}, 2, "").result, 0);
}

TEST(SimpleAmova, EmptyPopulationsAndIndividualsWithoutPopulationAreLeftOut) {
    // An individual of population 0 between the others, with distances that would change the
    // table, and an empty population 2: the analysis is that of the six individuals.
    const std::vector<int32_t> pops{1, 1, 0, 3, 3, 4, 4};
    DistanceMatrix matrix(7);
    const std::vector<int32_t> six_pops{1, 1, 3, 3, 4, 4};
    const DistanceMatrix six = by_population(six_pops, 2, 4);
    const std::vector<int> place{0, 1, 3, 4, 5, 6};
    for (int i = 0; i < 7; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.set_pair(i, j, 1000);
        }
    }
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < a; ++b) {
            matrix.set_pair(place[static_cast<std::size_t>(a)], place[static_cast<std::size_t>(b)],
                            six.at(a, b));
        }
    }
    const AmovaRun run = amova(matrix, pops, 4, "-2\n");
    EXPECT_EQ(run.console, "\n" + kSeparator + kSixTable + kPrompt +
                               "original\t0.500000\n"
                               "1\t0.090909\n"
                               "2\t0.090909\n"
                               "\np(greater):  0.3333\n"
                               "p(smaller):  1.000\n");
}

TEST(SimpleAmova, PermutationsContinueTheGeneratorOfTheRun) {
    // A second run on the same generator draws the next permutations: after the three of the
    // first run, the data come up again as the first of the second.
    const std::vector<int32_t> pops{1, 1, 2, 2};
    const DistanceMatrix matrix = by_population(pops, 0, 4);
    clonal::Random random;
    amova(matrix, pops, 2, "3\n", random);
    clonal::Random fresh;
    for (int draw = 0; draw < 9; ++draw) {
        fresh.next_uniform();
    }
    EXPECT_EQ(random.seed1(), fresh.seed1());
    EXPECT_EQ(random.seed2(), fresh.seed2());
}

}  // namespace
}  // namespace kelvane::dialogue
