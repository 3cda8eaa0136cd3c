// The Clonal genotype file reader: layouts, populations, loading lines and rejected files.
#include "clonal_genotype_file.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "fatal_error.hpp"

namespace clonal {
namespace {

using Genotypes = std::vector<int32_t>;

ClonalData load(const std::string& text, std::string* printed = nullptr) {
    std::ostringstream out;
    ClonalData data = read_clonal_file(text, out);
    if (printed != nullptr) {
        *printed = out.str();
    }
    return data;
}

// The message of the fatal error the text raises, and what was printed before it.
std::string rejection(const std::string& text, std::string* printed = nullptr) {
    std::ostringstream out;
    try {
        read_clonal_file(text, out);
    } catch (const FatalError& error) {
        if (printed != nullptr) {
            *printed = out.str();
        }
        return error.what();
    }
    return "<accepted>";
}

TEST(ClonalGenotypeFile, CanonicalLayoutAndItsLoadingLines) {
    std::string printed;
    const ClonalData data = load("Sample data\n2\nNorth\nSouth\n1\t4\n2\t4\n2\t7\n", &printed);
    EXPECT_EQ(printed,
              "\n\nSample data\n\n2 populations\n"
              "           North:\t1 individuals\n"
              "           South:\t2 individuals\n");
    EXPECT_EQ(data.title, "Sample data\n");
    EXPECT_EQ(data.populations, 2);
    EXPECT_EQ(data.names, (std::vector<std::string>{"", "North", "South"}));
    EXPECT_EQ(data.genotypes, (std::vector<Genotypes>{{}, {4}, {4, 7}}));
    EXPECT_EQ(data.size(2), 2);
}

TEST(ClonalGenotypeFile, LineStructureAfterTheTitleDoesNotMatter) {
    const std::string canonical = "t\n2\nA\nB\n1\t4\n2\t4\n2\t7\n1\t0\n";
    const ClonalData expected = load(canonical);
    for (const std::string text :
         {"t\n2 A B 1 4 2 4 2 7 1 0", "t\n2\nA B\n1\n4\n2 4 2\n7 1\t\t0\n\n",
          "t\r\n 2\r\nA\r\nB\r\n1 4\r\n2 4\r\n2 7\r\n1 0\r\n"}) {
        const ClonalData data = load(text);
        EXPECT_EQ(data.genotypes, expected.genotypes) << text;
        EXPECT_EQ(data.names, expected.names) << text;
    }
}

TEST(ClonalGenotypeFile, InterleavedPopulationsKeepFileOrder) {
    const ClonalData data = load("t\n2\nA\nB\n1 10\n2 20\n1 11\n2 21\n1 12\n2 22\n2 23\n");
    EXPECT_EQ(data.genotypes[1], (Genotypes{10, 11, 12}));
    EXPECT_EQ(data.genotypes[2], (Genotypes{20, 21, 22, 23}));
}

TEST(ClonalGenotypeFile, EmptyPopulationAndPopulationZero) {
    std::string printed;
    const ClonalData data = load("t\n3\nA\nB\nC\n1 5\n0 99\n3 6\n0 98\n", &printed);
    EXPECT_EQ(printed,
              "\n\nt\n\n3 populations\n"
              "               A:\t1 individuals\n"
              "               B:\t0 individuals\n"
              "               C:\t1 individuals\n");
    EXPECT_EQ(data.genotypes, (std::vector<Genotypes>{{99, 98}, {5}, {}, {6}}));
    // Population 0 takes no part in the largest genotype number.
    EXPECT_EQ(raise_largest_genotype(data, 0), 6);
}

TEST(ClonalGenotypeFile, NoPopulationsAndNoIndividuals) {
    std::string printed;
    const ClonalData data = load("empty\n0\n", &printed);
    EXPECT_EQ(printed, "\n\nempty\n\n0 populations\n");
    EXPECT_EQ(data.populations, 0);
    EXPECT_EQ(data.genotypes.size(), 1u);
    EXPECT_EQ(raise_largest_genotype(data, 0), 0);
}

TEST(ClonalGenotypeFile, TitleWithoutLineEndAndLastGenotypeMissing) {
    // The whole first line is the title, numbers and all.
    EXPECT_EQ(rejection("title only 1 A"), "ERROR: number of populations missing or not a number");
    // The individual is counted and keeps genotype number 0.
    const ClonalData data = load("t\n1\nA\n1 8\n1");
    EXPECT_EQ(data.genotypes[1], (Genotypes{8, 0}));
}

TEST(ClonalGenotypeFile, PopulationNumberAboveTheCountStopsAtItsIndividual) {
    std::string printed;
    EXPECT_EQ(rejection("t\n2\nA\nB\n1 1\n2 2\n1 3\n2 4\n3 5\n1 6\n", &printed),
              "ERROR: individual 5: population number higher than number of populations");
    EXPECT_EQ(printed, "\n\nt\n\n2 populations\n");
}

TEST(ClonalGenotypeFile, MalformedFilesAreRejected) {
    EXPECT_EQ(rejection(std::string(998, 'x') + "\n0\n"), "<accepted>");
    EXPECT_EQ(rejection(std::string(999, 'x') + "\n0\n"),
              "ERROR: title line longer than 999 characters");
    EXPECT_EQ(rejection("t\n"), "ERROR: number of populations missing or not a number");
    EXPECT_EQ(rejection("t\ntwo\nA B\n"), "ERROR: number of populations missing or not a number");
    EXPECT_EQ(rejection("t\n-1\n"), "ERROR: number of populations below 0");
    EXPECT_EQ(rejection("t\n99999999999\n"), "ERROR: number of populations too large");
    EXPECT_EQ(rejection("t\n2\nA\n"), "ERROR: population 2: name missing");
    EXPECT_EQ(rejection("t\n1\n" + std::string(24, 'n') + "\n1 1\n"), "<accepted>");
    EXPECT_EQ(rejection("t\n1\n" + std::string(25, 'n') + "\n1 1\n"),
              "ERROR: population 1: name longer than 24 characters");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\n-1 2\n"), "ERROR: individual 2: negative population number");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\n1 -2\n"), "ERROR: individual 2: negative genotype number");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\nx 2\n"),
              "ERROR: individual 2: population number is not an integer");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\n1 2x\n"),
              "ERROR: individual 3: population number is not an integer");
    EXPECT_EQ(rejection("t\n1\nA\n1 g\n"),
              "ERROR: individual 1: genotype number is not an integer");
    EXPECT_EQ(rejection("t\n1\nA\n1 2147483648\n"),
              "ERROR: individual 1: genotype number does not fit 32 bits");
    EXPECT_EQ(rejection("t\n1\nA\n1 2147483647\n"), "<accepted>");
}

TEST(ClonalGenotypeFile, LargestGenotypeNumberOnlyRises) {
    const ClonalData first = load("t\n1\nA\n1 70\n1 3\n");
    const ClonalData second = load("t\n1\nA\n1 5\n1 9\n");
    const int32_t after_first = raise_largest_genotype(first, 0);
    EXPECT_EQ(after_first, 70);
    EXPECT_EQ(raise_largest_genotype(second, after_first), 70);
    EXPECT_EQ(raise_largest_genotype(second, 0), 9);
}

}  // namespace
}  // namespace clonal
