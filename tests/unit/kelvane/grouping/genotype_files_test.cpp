// The result files of the genotypes: marsyl's input and the genotypes file at a threshold, the
// big genotypes file for all thresholds and the histogram table, with their exact layouts.
#include "kelvane/grouping/genotype_files.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/histogram.hpp"

namespace kelvane {
namespace {

// Three individuals of two populations; only the first two are close (distance 3).
MarkerData three_individuals(const std::string& title) {
    MarkerData data;
    data.title = title;
    data.n_individuals = 3;
    data.n_populations = 2;
    data.pop_names = {"North", "South"};
    data.pop_vector = {1, 2, 2};
    data.ind_names = {"a1", "b1", "b2"};
    return data;
}

DistanceMatrix three_matrix() {
    DistanceMatrix matrix(3);
    matrix.set_pair(0, 1, 3);
    matrix.set_pair(0, 2, 9);
    matrix.set_pair(1, 2, 9);
    return matrix;
}

std::string clonal_file(const MarkerData& data, int32_t threshold) {
    std::ostringstream out;
    write_clonal_genotype_file(data, genotypes_at_threshold(three_matrix(), threshold), out);
    return out.str();
}

TEST(GenotypeFiles, ClonalGenotypeFileAtAndBelowTheThreshold) {
    const MarkerData data = three_individuals("Sample data\n");
    EXPECT_EQ(clonal_file(data, 3), "Sample data\n2\nNorth\nSouth\n1\t1\n2\t1\n2\t2\n");
    EXPECT_EQ(clonal_file(data, 2), "Sample data\n2\nNorth\nSouth\n1\t1\n2\t2\n2\t3\n");

    // An FSTAT file names its populations by number, an empty one included.
    MarkerData fstat = three_individuals("Data read from Fstat file\n");
    fstat.n_populations = 3;
    fstat.pop_names.clear();
    EXPECT_EQ(clonal_file(fstat, 2),
              "Data read from Fstat file\n3\npop1\npop2\npop3\n1\t1\n2\t2\n2\t3\n");
}

TEST(GenotypeFiles, TheTitleKeepsALineOfItsOwnThatMarsylReads) {
    EXPECT_EQ(clonal_file(three_individuals("No line end"), 9),
              "No line end\n2\nNorth\nSouth\n1\t1\n2\t1\n2\t1\n");
    EXPECT_EQ(clonal_file(three_individuals(std::string(1200, 'T') + "\r\n"), 9),
              std::string(998, 'T') + "\n2\nNorth\nSouth\n1\t1\n2\t1\n2\t1\n");
    EXPECT_EQ(clonal_file(three_individuals(std::string(997, 'T') + "\r\n"), 9).substr(995, 8),
              "TT\r\n2\nNo");
}

TEST(GenotypeFiles, GenotypesFileBigGenotypesFileAndHistogram) {
    const MarkerData data = three_individuals("t\n");
    const DistanceMatrix matrix = three_matrix();
    std::ostringstream genotypes;
    write_genotypes_file(data, genotypes_at_threshold(matrix, 0), genotypes);
    EXPECT_EQ(genotypes.str(), "a1\t1\nb1\t2\nb2\t3\n");

    std::ostringstream big;
    genotypes_all_thresholds(matrix, data.ind_names, big);
    EXPECT_EQ(big.str(),
              "name\t0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t\n"
              "a1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t\n"
              "b1\t2\t2\t2\t1\t1\t1\t1\t1\t1\t1\t\n"
              "b2\t3\t3\t3\t2\t2\t2\t2\t2\t2\t1\t\n");

    std::ostringstream histogram;
    write_histogram_table(histogram, histogram_counts(matrix, 3, 9), class_width(9, 3));
    EXPECT_EQ(histogram.str(),
              "class  \tthresh\t#pairs| #pairs\n"
              "   0\t  0.00\t     0| \n"
              "   1\t  3.00\t     1| *\n"
              "   2\t  6.00\t     0| \n"
              "   3\t  9.00\t     2| **\n");
}

}  // namespace
}  // namespace kelvane
