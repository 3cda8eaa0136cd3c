// The distance histogram: classes, thresholds, bars and the dialogue around the table.
#include "kelvane/dialogue/histogram_dialogue.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "common/dialogue/console.hpp"
#include "kelvane/grouping/histogram.hpp"
#include "support/filling_stream.hpp"

namespace kelvane::dialogue {
namespace {

const std::string kSeparator =
    "\n    --------------------------------------------------------------------\n\n";

// A matrix whose lower triangle (row i, column j < i) holds the given rows; the upper triangle
// mirrors it.
DistanceMatrix symmetric(const std::vector<std::vector<int32_t>>& lower) {
    DistanceMatrix matrix(static_cast<int>(lower.size()) + 1);
    for (std::size_t i = 0; i < lower.size(); ++i) {
        for (std::size_t j = 0; j < lower[i].size(); ++j) {
            matrix.set_pair(static_cast<int>(i) + 1, static_cast<int>(j), lower[i][j]);
        }
    }
    return matrix;
}

struct HistogramOutput {
    std::string console;
    std::string file;
};

HistogramOutput histogram(const DistanceMatrix& matrix, const std::string& answers, bool to_file) {
    std::istringstream in(answers);
    std::ostringstream out;
    std::ostringstream file;
    clonal::Console console(in, out);
    distance_histogram(console, matrix, to_file ? &file : nullptr);
    return {out.str(), file.str()};
}

std::string dialogue(int max_distance) {
    return "\n" + kSeparator + "\nGENOTYPE ASSIGNMENT:\n" + "maximum distance:\t" +
           std::to_string(max_distance) + "\n" + "\nGive the number of frequency classes (>1):\n" +
           "\nGive maximum distance for histogram:\n" + "\n";
}

const std::string kHeader = "class  \tthresh\t#pairs| #pairs\n";

TEST(Histogram, TwoClassesUpToOne) {
    // d(1,0) = 1, d(2,0) = 2, d(2,1) = 1: the pairs at 1 fall in class 2, the one at 2 nowhere.
    const DistanceMatrix matrix = symmetric({{1}, {2, 1}});
    const HistogramOutput run = histogram(matrix, "2\n1\n", false);
    EXPECT_EQ(run.console, dialogue(2) + kHeader +
                               "   0\t  0.00\t     0| \n"
                               "   1\t  0.50\t     0| \n"
                               "   2\t  1.00\t     2| **\n");
}

TEST(Histogram, ThreeClassesUpToTenWithTheToleranceOnTheQuotient) {
    // 10 / (10 / 3) is a hair above 3 and still in class 3; 4 is in class 2, 3 in class 1, 0 in
    // class 0, 7 in class 3 and 11 beyond the last class.
    const DistanceMatrix matrix = symmetric({{10}, {4, 0}, {3, 11, 7}});
    const HistogramOutput run = histogram(matrix, "3\n10\n", false);
    EXPECT_EQ(run.console, dialogue(11) + kHeader +
                               "   0\t  0.00\t     1| *\n"
                               "   1\t  3.33\t     1| *\n"
                               "   2\t  6.67\t     1| *\n"
                               "   3\t 10.00\t     2| **\n");
}

TEST(Histogram, CeilingTakesValuesJustAboveAnIntegerAsThatInteger) {
    EXPECT_EQ(ceiling_with_tolerance(3.0000004), 3);
    EXPECT_EQ(ceiling_with_tolerance(3.01), 4);
    EXPECT_EQ(ceiling_with_tolerance(3.0), 3);
    EXPECT_EQ(ceiling_with_tolerance(-2.5), -2);
    EXPECT_EQ(ceiling_with_tolerance(0.0), 0);
    EXPECT_GT(ceiling_with_tolerance(1e300), int64_t{INT32_MAX});
}

TEST(Histogram, TallyAlone) {
    const DistanceMatrix matrix = symmetric({{10}, {4, 0}, {3, 11, 7}});
    std::vector<int64_t> counts(4, 0);
    tally_distance_classes(matrix, class_width(10, 3), counts);
    EXPECT_EQ(counts, (std::vector<int64_t>{1, 1, 1, 2}));
}

TEST(Histogram, OnlyTheLowerTriangleIsCountedAndNegativeDistancesNowhere) {
    DistanceMatrix matrix(3);
    matrix.at(1, 0) = -1;
    matrix.at(0, 1) = 5;  // read by the maximum only
    matrix.at(2, 0) = 2;
    matrix.at(2, 1) = 0;
    const HistogramOutput run = histogram(matrix, "2\n2\n", false);
    EXPECT_EQ(run.console, dialogue(5) + kHeader +
                               "   0\t  0.00\t     1| *\n"
                               "   1\t  1.00\t     0| \n"
                               "   2\t  2.00\t     1| *\n");
}

TEST(Histogram, OneIndividualHasNoPairs) {
    const DistanceMatrix matrix(1);
    const HistogramOutput run = histogram(matrix, "2\n5\n", false);
    EXPECT_EQ(run.console, dialogue(0) + kHeader +
                               "   0\t  0.00\t     0| \n"
                               "   1\t  2.50\t     0| \n"
                               "   2\t  5.00\t     0| \n");
}

TEST(Histogram, BarsAreCountsUpToThirtyEight) {
    EXPECT_EQ(bar_length(38, 38), 38);
    EXPECT_EQ(bar_length(1, 38), 1);
    EXPECT_EQ(bar_length(0, 38), 0);
}

TEST(Histogram, BarsAreScaledAboveThirtyEight) {
    EXPECT_EQ(bar_length(39, 39), 38);
    EXPECT_EQ(bar_length(1, 39), 0);
    EXPECT_EQ(bar_length(20, 39), 19);  // 20 / (39 / 38) = 19.49
    EXPECT_EQ(bar_length(1000000, 1000000), 38);
    EXPECT_EQ(bar_length(500000, 1000000), 19);
}

TEST(Histogram, TableWithScaledBars) {
    std::ostringstream out;
    const std::vector<int64_t> counts{39, 1, 20};
    write_histogram_table(out, counts, 1.5);
    EXPECT_EQ(out.str(), kHeader + "   0\t  0.00\t    39| " + std::string(38, '*') + "\n" +
                             "   1\t  1.50\t     1| \n" + "   2\t  3.00\t    20| " +
                             std::string(19, '*') + "\n");
}

// Four million classes make 100 MB of table, more than a second of formatting; once the stream
// has failed, none of it could be written.
TEST(Histogram, NothingMoreIsFormattedOnceTheStreamHasFailed) {
    const std::vector<int64_t> counts(4000000, 7);
    FillingBuffer disk(1000);
    std::ostream out(&disk);
    const auto start = std::chrono::steady_clock::now();
    write_histogram_table(out, counts, 0.5);
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(out.bad());
    EXPECT_LT(taken.count(), 0.3);
}

TEST(Histogram, TableWithTopThirtyEight) {
    std::ostringstream out;
    const std::vector<int64_t> counts{38, 1, 0};
    write_histogram_table(out, counts, 0.25);
    EXPECT_EQ(out.str(), kHeader + "   0\t  0.00\t    38| " + std::string(38, '*') + "\n" +
                             "   1\t  0.25\t     1| *\n" + "   2\t  0.50\t     0| \n");
}

TEST(Histogram, InvalidAnswersAskAgain) {
    const DistanceMatrix matrix = symmetric({{1}});
    const HistogramOutput run = histogram(matrix, "1\nabc\n2\n0\n-4\nnone\n1\n", false);
    const std::string classes = "\nGive the number of frequency classes (>1):\n";
    const std::string maximum = "\nGive maximum distance for histogram:\n";
    EXPECT_EQ(run.console, "\n" + kSeparator + "\nGENOTYPE ASSIGNMENT:\nmaximum distance:\t1\n" +
                               classes + classes + classes + maximum + maximum + maximum + maximum +
                               "\n" + kHeader + "   0\t  0.00\t     0| \n" +
                               "   1\t  0.50\t     0| \n" + "   2\t  1.00\t     1| *\n");
}

TEST(Histogram, AFileReceivesTheTableOnly) {
    const DistanceMatrix matrix = symmetric({{1}, {2, 1}});
    const HistogramOutput run = histogram(matrix, "2\n1\n", true);
    EXPECT_EQ(run.console, dialogue(2));
    EXPECT_EQ(run.file, kHeader +
                            "   0\t  0.00\t     0| \n"
                            "   1\t  0.50\t     0| \n"
                            "   2\t  1.00\t     2| **\n");
}

}  // namespace
}  // namespace kelvane::dialogue
