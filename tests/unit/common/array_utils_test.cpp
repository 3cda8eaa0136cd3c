#include "array_utils.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

namespace clonal {
namespace {

TEST(SortInts, SortsTheGivenRangeAscendingAndLeavesTheRest) {
    std::vector<int32_t> values{5, 3, 5, 1};
    sort_ints(values, 0, 3);
    EXPECT_EQ(values, (std::vector<int32_t>{1, 3, 5, 5}));

    std::vector<int32_t> partial{9, 4, 2, 7, 0};
    sort_ints(partial, 1, 3);
    EXPECT_EQ(partial, (std::vector<int32_t>{9, 2, 4, 7, 0}));

    std::vector<int32_t> untouched{3, 1};
    sort_ints(untouched, 1, 0);
    EXPECT_EQ(untouched, (std::vector<int32_t>{3, 1}));
}

TEST(CeilingWithTolerance, TakesValuesJustAboveAnIntegerAsThatInteger) {
    EXPECT_EQ(ceiling_with_tolerance(3.0000004), 3);
    EXPECT_EQ(ceiling_with_tolerance(3.01), 4);
    EXPECT_EQ(ceiling_with_tolerance(3.0), 3);
    EXPECT_EQ(ceiling_with_tolerance(-2.5), -2);
    EXPECT_EQ(ceiling_with_tolerance(0.0), 0);
    EXPECT_GT(ceiling_with_tolerance(1e300), int64_t{INT32_MAX});
}

TEST(CompareIntsDescending, OrdersMissingCopiesLast) {
    std::vector<int32_t> values{100, 0, 102};
    std::sort(values.begin(), values.end(),
              [](int32_t a, int32_t b) { return compare_ints_descending(a, b) < 0; });
    EXPECT_EQ(values, (std::vector<int32_t>{102, 100, 0}));
    std::vector<int32_t> extremes{INT32_MIN, INT32_MAX, 0};
    sort_descending(extremes);
    EXPECT_EQ(extremes, (std::vector<int32_t>{INT32_MAX, 0, INT32_MIN}));
    EXPECT_GT(compare_ints_descending(INT32_MIN, INT32_MAX), 0);
}

TEST(ExtremeValues, StartFromTheSmallestIntegerAndPreferTheFirstOnTies) {
    EXPECT_EQ(max_of_vector({}), INT32_MIN);
    const std::vector<int32_t> values{-7, 4, -2};
    EXPECT_EQ(max_of_vector(values), 4);
    const std::vector<int32_t> table{1, 9, 3, 4, 5, 6};
    EXPECT_EQ(max_of_matrix(table, 2, 3), 9);
    EXPECT_EQ(max_of_matrix(table, 0, 0), INT32_MIN);
    EXPECT_EQ(max_int(4, 4), 4);
    EXPECT_EQ(min_int(4, 4), 4);
    EXPECT_EQ(max_int(-1, 3), 3);
    EXPECT_EQ(min_int(-1, 3), -1);
}

TEST(CompareDoublesAscending, TreatsNotANumberAsEqualToEverything) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(compare_doubles_ascending(2.0, 1.0), 1);
    EXPECT_EQ(compare_doubles_ascending(1.0, 2.0), -1);
    EXPECT_EQ(compare_doubles_ascending(1.0, 1.0), 0);
    EXPECT_EQ(compare_doubles_ascending(nan, 1.0), 0);
    EXPECT_EQ(compare_doubles_ascending(1.0, nan), 0);
}

TEST(SortDoublesAscending, PutsNotANumberAfterEveryNumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values{nan, 3.0, -1.0, nan, 2.0, -INFINITY};
    sort_doubles_ascending(values);
    EXPECT_EQ(values[0], -INFINITY);
    EXPECT_EQ(values[1], -1.0);
    EXPECT_EQ(values[2], 2.0);
    EXPECT_EQ(values[3], 3.0);
    EXPECT_TRUE(std::isnan(values[4]));
    EXPECT_TRUE(std::isnan(values[5]));
}

TEST(PrintSeparator, PrintsTheRuleBetweenBlankLines) {
    std::ostringstream out;
    print_separator(out);
    EXPECT_EQ(out.str(), "\n    " + std::string(68, '-') + "\n\n");
}

}  // namespace
}  // namespace clonal
