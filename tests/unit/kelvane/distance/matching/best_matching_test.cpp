#include "kelvane/distance/matching/best_matching.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "kelvane/distance/matching/hungarian_assignment.hpp"
#include "kelvane/distance/matching/matching_lanes.hpp"
#include "kelvane/distance/matching/two_phase_costs.hpp"
#include "kelvane/distance/matching/two_phase_matching.hpp"

namespace kelvane {
namespace {

struct Table {
    int k = 0;
    std::vector<double> cells;

    CostTable costs() const { return {cells, k}; }
    double& at(int x, int y) {
        return cells[static_cast<std::size_t>(x) * static_cast<std::size_t>(k) +
                     static_cast<std::size_t>(y)];
    }
};

// The best row-order sum over all matchings by the subsets of used columns: a second reference,
// independent of the enumeration, usable up to k = 20. It is exact because rounding is
// monotone: for each set of columns given to the first rows only the smallest partial sum can
// lead to the smallest total.
double subset_reference(const CostTable& costs, int k) {
    std::vector<double> best(std::size_t{1} << k, 0.0);
    for (uint32_t set = 1; set < (uint32_t{1} << k); ++set) {
        const int row = std::popcount(set) - 1;
        double smallest = 0.0;
        bool first = true;
        for (int y = 0; y < k; ++y) {
            if ((set >> y) & 1U) {
                const double sum = best[set & ~(uint32_t{1} << y)] + costs.at(row, y);
                if (first || sum < smallest) {
                    smallest = sum;
                    first = false;
                }
            }
        }
        best[set] = smallest;
    }
    return std::min(best.back(), 10000000.0);
}

// Two individuals' copies in descending order, missing ones last, matched under the two-phase
// costs: the tables the distance builds.
Table copies_table(const std::vector<int32_t>& first, const std::vector<int32_t>& second,
                   const TwoPhaseCosts& costs) {
    Table table{static_cast<int>(first.size()), {}};
    table.cells.resize(first.size() * first.size());
    for (int x = 0; x < table.k; ++x) {
        for (int y = 0; y < table.k; ++y) {
            const int64_t a = first[static_cast<std::size_t>(x)];
            const int64_t b = second[static_cast<std::size_t>(y)];
            table.at(x, y) =
                (a == 0 || b == 0) ? costs.missing_cost() : costs.step_cost(a > b ? a - b : b - a);
        }
    }
    return table;
}

class RandomCopies {
  public:
    explicit RandomCopies(uint32_t seed) : engine_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

    // k copies with a random number of them missing, values from a narrow or wide range (narrow
    // ranges repeat values, as homozygous polyploids do), in descending order.
    std::vector<int32_t> genotype(int k, int spread) {
        std::vector<int32_t> copies(static_cast<std::size_t>(k), 0);
        const int present = below(4) == 0 ? k - below(k + 1) : k;
        const bool homozygous = below(6) == 0;
        const int32_t single = 100 + below(spread);
        for (int c = 0; c < present; ++c) {
            copies[static_cast<std::size_t>(c)] = homozygous ? single : 100 + below(spread);
        }
        std::sort(copies.begin(), copies.end(), std::greater<>());
        return copies;
    }

    // Sometimes the same genotypes with negative codes: the missing copies then come first.
    void maybe_negate(std::vector<int32_t>& first, std::vector<int32_t>& second) {
        if (below(8) != 0) {
            return;
        }
        for (auto* copies : {&first, &second}) {
            for (int32_t& copy : *copies) {
                copy = -copy;
            }
            std::sort(copies->begin(), copies->end(), std::greater<>());
        }
    }

  private:
    std::mt19937 engine_;
};

TEST(BestMatching, SmallTablesFollowTheirOwnRules) {
    const std::vector<double> one{0.25};
    EXPECT_EQ(best_matching_sum({one, 1}, 1), 0.25);
    EXPECT_EQ(best_matching_sum({one, 1}, 0), 0.0);
    // The rows of copies 12, 10 against 14, 11 under base 2.
    const std::vector<double> two{0.75, 0.5, 0.9375, 0.5};
    EXPECT_EQ(best_matching_sum({two, 2}, 2), 1.25);
    const std::vector<double> crossed{0.5, 0.0, 0.0, 0.5};
    EXPECT_EQ(best_matching_sum({crossed, 2}, 2), 0.0);
    // Only the top-left k by k block counts.
    const std::vector<double> block{0.5, 0.0, 0.9, 0.0, 0.5, 0.9, 0.9, 0.9, 0.9};
    EXPECT_EQ(best_matching_sum({block, 3}, 2), 0.0);
    EXPECT_EQ(best_matching_sum({block, 3}, 3), 0.9);
}

TEST(BestMatching, ThreeByThreeFindsTheBestOfSixMatchings) {
    // Rows 14, 10, 6 against 13, 9, missing (choice 6 costs): the best pairs 14-13 and 10-9 and
    // leaves 6 with the missing copy.
    const TwoPhaseCosts costs(2.0f, 10001, 20);
    const Table table = copies_table({14, 10, 6}, {13, 9, 0}, costs);
    EXPECT_EQ(best_matching_sum(table.costs(), 3), 0.5 + 0.5 + 1.0);
    EXPECT_EQ(enumerated_matching_sum(table.costs(), 3), 2.0);
}

TEST(HungarianAssignment, FindsTheCheapestAssignmentOfRowsToColumns) {
    const std::vector<int64_t> costs{4, 1, 3, 2, 0, 5, 3, 2, 2};
    HungarianAssignment<int64_t> assignment;
    assignment.solve(costs, 3, 3, 3);
    EXPECT_EQ(assignment.column_of_row()[0], 1);
    EXPECT_EQ(assignment.column_of_row()[1], 0);
    EXPECT_EQ(assignment.column_of_row()[2], 2);
    // Fewer rows than columns: each row takes its own column.
    assignment.solve(costs, 3, 2, 3);
    EXPECT_EQ(assignment.column_of_row()[0], 1);
    EXPECT_EQ(assignment.column_of_row()[1], 0);
}

TEST(HungarianAssignment, MatchesTheCheapestPermutationOfRandomIntegerTables) {
    std::mt19937 engine(3);
    for (int k = 1; k <= 7; ++k) {
        for (int t = 0; t < 300; ++t) {
            // Few distinct costs: rows compete for the same cheapest columns.
            std::vector<int64_t> costs(static_cast<std::size_t>(k * k));
            for (int64_t& cost : costs) {
                cost = static_cast<int64_t>(engine() % 4) << 40;
            }
            HungarianAssignment<int64_t> assignment;
            assignment.solve(costs, static_cast<std::size_t>(k), k, k);
            int64_t found = 0;
            for (int x = 0; x < k; ++x) {
                found += costs[static_cast<std::size_t>(
                    x * k + assignment.column_of_row()[static_cast<std::size_t>(x)])];
            }
            std::vector<int> permutation(static_cast<std::size_t>(k));
            std::iota(permutation.begin(), permutation.end(), 0);
            int64_t cheapest = INT64_MAX;
            do {
                int64_t total = 0;
                for (int x = 0; x < k; ++x) {
                    total += costs[static_cast<std::size_t>(
                        x * k + permutation[static_cast<std::size_t>(x)])];
                }
                cheapest = std::min(cheapest, total);
            } while (std::next_permutation(permutation.begin(), permutation.end()));
            ASSERT_EQ(found, cheapest) << "k " << k << ", table " << t;
        }
    }
}

struct Counts {
    int tables = 0;
    int searched = 0;
    int mismatches = 0;
};

// The matching of two genotypes the distance computes, which pairs equal copies first where it
// may: the first k copies (of slots that go on beyond them), under a matching prepared for
// most_copies.
double matched_sum(const TwoPhaseCosts& costs, std::vector<int32_t> first,
                   std::vector<int32_t> second, int k, int most_copies) {
    first.resize(first.size() + 2, 0);
    second.resize(second.size() + 2, 0);
    TwoPhaseMatching matching(costs, most_copies, 200);
    return matching.best_sum(first, second, k);
}

// Tables of random copies at k = 1 to 9 under one base; every fast result, of the table and of
// the genotypes it comes from, must equal (==) the enumeration's.
Counts compare_with_enumeration(float base, uint32_t seed, int tables_per_k) {
    RandomCopies random(seed);
    const int32_t missing_choices[] = {0, 1, 2, 5, 10001, 60};
    const int spreads[] = {1, 3, 8, 31, 130};
    Counts counts;
    for (int k = 1; k <= 9; ++k) {
        // The enumeration of 9 copies tries 362880 matchings: fewer tables there.
        const int tables = k <= 7 ? tables_per_k : tables_per_k / (k == 8 ? 10 : 40);
        for (int t = 0; t < tables; ++t) {
            const TwoPhaseCosts costs(base, missing_choices[random.below(6)], 200);
            const int spread = spreads[random.below(5)];
            std::vector<int32_t> first = random.genotype(k, spread);
            std::vector<int32_t> second = random.genotype(k, spread);
            random.maybe_negate(first, second);
            const Table table = copies_table(first, second, costs);
            BestMatching matching;
            const double fast = matching.sum(table.costs(), k);
            const double slow = enumerated_matching_sum(table.costs(), k);
            const double matched = matched_sum(costs, first, second, k, k + random.below(8));
            ++counts.tables;
            counts.searched += static_cast<int>(matching.searches());
            if (fast != slow || matched != slow) {
                ++counts.mismatches;
                ADD_FAILURE() << "base " << base << ", k " << k << ": fast " << fast << ", matched "
                              << matched << ", enumeration " << slow;
            }
        }
    }
    std::cout << "base " << base << ": " << counts.tables << " tables equal to the enumeration ("
              << counts.searched << " through the exact search), " << counts.mismatches
              << " different\n";
    return counts;
}

TEST(BestMatchingProperty, EqualsTheEnumerationUnderBaseTwo) {
    const Counts counts = compare_with_enumeration(2.0f, 11, 3000);
    EXPECT_EQ(counts.mismatches, 0);
    // Steps of 50 and more (spread 130) leave the exact integer path: both paths are exercised.
    EXPECT_GT(counts.searched, 100);
    EXPECT_LT(counts.searched, counts.tables);
}

TEST(BestMatchingProperty, EqualsTheEnumerationUnderBasesThatAreNotPowersOfTwo) {
    EXPECT_EQ(compare_with_enumeration(1.3f, 12, 3000).mismatches, 0);
    EXPECT_EQ(compare_with_enumeration(1.7f, 13, 3000).mismatches, 0);
}

TEST(BestMatchingProperty, EqualsTheEnumerationOnArbitraryTablesWithTies) {
    // Entries drawn from a few random reals, so that many matchings tie or nearly tie.
    std::mt19937 engine(14);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int mismatches = 0;
    int tables = 0;
    for (int k = 3; k <= 8; ++k) {
        for (int t = 0; t < 800; ++t) {
            std::vector<double> palette(static_cast<std::size_t>(1 + t % 5));
            for (double& value : palette) {
                value = unit(engine);
            }
            Table table{k, std::vector<double>(static_cast<std::size_t>(k * k))};
            for (double& value : table.cells) {
                value = palette[engine() % palette.size()];
            }
            ++tables;
            if (best_matching_sum(table.costs(), k) != enumerated_matching_sum(table.costs(), k)) {
                ++mismatches;
            }
        }
    }
    std::cout << tables << " arbitrary tables, " << mismatches << " different\n";
    EXPECT_EQ(mismatches, 0);
}

TEST(BestMatchingProperty, SubsetReferenceAgreesWithTheEnumeration) {
    RandomCopies random(15);
    for (int k = 3; k <= 8; ++k) {
        for (int t = 0; t < 200; ++t) {
            const TwoPhaseCosts costs(t % 2 == 0 ? 1.3f : 2.0f, t % 3 == 0 ? 10001 : 0, 200);
            const Table table = copies_table(random.genotype(k, 8), random.genotype(k, 8), costs);
            ASSERT_EQ(subset_reference(table.costs(), k),
                      enumerated_matching_sum(table.costs(), k));
        }
    }
}

// Every version of the lanes this processor runs (so the narrower ones too) gives each lane the
// enumeration's sum for its pair: complete genotypes, ties among copies, bases whose costs do and
// do not add exactly.
TEST(BestMatchingProperty, LanesGiveEveryPairTheEnumeratedSum) {
    RandomCopies random(17);
    const std::vector<MatchingLanesVersion> versions = runnable_matching_lanes();
    ASSERT_EQ(versions.back().name, std::string("plain"));
    for (const MatchingLanesVersion& version : versions) {
        SCOPED_TRACE(version.name);
        for (int k = kLaneCopiesFrom; k <= kLaneCopiesTo; ++k) {
            for (int t = 0; t < 40; ++t) {
                const TwoPhaseCosts costs(t % 2 == 0 ? 1.3f : 2.0f, 0, 60);
                const auto complete = [&] {
                    std::vector<int32_t> copies = random.genotype(k, t % 3 == 0 ? 4 : 60);
                    std::ranges::replace(copies, 0, 100);
                    std::ranges::sort(copies, std::greater<>());
                    return copies;
                };
                const std::vector<int32_t> first = complete();
                std::vector<std::vector<int32_t>> seconds;
                std::vector<const int32_t*> pointers;
                for (int l = 0; l < kMatchingLanes; ++l) {
                    seconds.push_back(complete());
                }
                for (const auto& second : seconds) {
                    pointers.push_back(second.data());
                }
                std::vector<double> sums(kMatchingLanes);
                version.sums(k, first.data(), pointers.data(), costs.kept_step_costs().data(),
                             sums.data());
                for (int l = 0; l < kMatchingLanes; ++l) {
                    const Table table =
                        copies_table(first, seconds[static_cast<std::size_t>(l)], costs);
                    ASSERT_EQ(sums[static_cast<std::size_t>(l)],
                              enumerated_matching_sum(table.costs(), k))
                        << "k " << k << ", lane " << l;
                }
            }
        }
    }
}

TEST(BestMatchingProperty, EqualsTheSubsetReferenceUpToSixteenCopies) {
    RandomCopies random(16);
    const float bases[] = {2.0f, 1.3f, 1.7f};
    int mismatches = 0;
    for (int k = 10; k <= 16; ++k) {
        for (int t = 0; t < 30; ++t) {
            const TwoPhaseCosts costs(bases[t % 3], t % 2 == 0 ? 10001 : 3, 200);
            const int spread = t % 4 == 0 ? 130 : 31;
            const std::vector<int32_t> first = random.genotype(k, spread);
            const std::vector<int32_t> second = random.genotype(k, spread);
            const Table table = copies_table(first, second, costs);
            const double reference = subset_reference(table.costs(), k);
            if (best_matching_sum(table.costs(), k) != reference ||
                matched_sum(costs, first, second, k, k) != reference) {
                ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Tables where almost every matching ties: they must neither hang nor lose exactness.
TEST(BestMatching, ManyTiedMatchingsOfSixteenCopiesStayQuick) {
    const TwoPhaseCosts base_13(1.3f, 10001, 200);
    const TwoPhaseCosts base_2(2.0f, 7, 200);
    const std::vector<int32_t> homozygous(16, 110);
    const std::vector<int32_t> missing(16, 0);
    std::vector<int32_t> distinct(16);
    for (int c = 0; c < 16; ++c) {
        distinct[static_cast<std::size_t>(c)] = 140 - 2 * c;
    }
    std::vector<int32_t> half_missing = distinct;
    std::fill(half_missing.begin() + 8, half_missing.end(), 0);
    const Table tables[] = {
        copies_table(missing, missing, base_13),
        copies_table(homozygous, homozygous, base_13),
        copies_table(homozygous, distinct, base_13),
        copies_table(distinct, homozygous, base_13),
        copies_table(half_missing, distinct, base_13),
        copies_table(distinct, half_missing, base_2),
        copies_table(homozygous, missing, base_2),
    };
    const auto start = std::chrono::steady_clock::now();
    for (const Table& table : tables) {
        EXPECT_EQ(best_matching_sum(table.costs(), 16), subset_reference(table.costs(), 16));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The subset reference itself takes a good part of this.
    EXPECT_LT(seconds, 20.0);
}

TEST(BestMatching, LargerThanSixteenCopiesIsExactToo) {
    // 24 copies: ties everywhere, found without trying 24! matchings.
    const TwoPhaseCosts costs(2.0f, 10001, 200);
    std::vector<int32_t> first(24, 120);
    std::vector<int32_t> second(24, 0);
    for (int c = 0; c < 20; ++c) {
        second[static_cast<std::size_t>(c)] = 100 + c;
    }
    std::sort(second.begin(), second.end(), std::greater<>());
    const Table table = copies_table(first, second, costs);
    // Copies 100 to 119 cost 1 - 2^-(20 - c) each against 120; four missing copies cost 1.
    double expected = 0.0;
    for (int c = 0; c < 20; ++c) {
        expected += 1.0 - std::ldexp(1.0, -(20 - c));
    }
    EXPECT_EQ(best_matching_sum(table.costs(), 24), expected + 4.0);
}

}  // namespace
}  // namespace kelvane
