// The Clonal genotype file: the reader's layouts, populations, steps and rejected files, and the
// writer read back.
#include "common/core/clonal_genotype_file.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace clonal {
namespace {

using Genotypes = std::vector<int32_t>;

// What the reader's first two steps gave: the title and number of populations, then the sizes of
// populations 1 to P.
struct Steps {
    std::string title;
    int32_t populations = -1;
    std::vector<int32_t> sizes;
};

ClonalData read_in_steps(const std::string& text, Steps& steps) {
    ClonalFileReader reader(text);
    const ClonalData& header = reader.read_header();
    steps.title = header.title;
    steps.populations = header.populations;
    const std::vector<int32_t>& sizes = reader.read_census();
    steps.sizes.assign(sizes.begin() + 1, sizes.end());
    return reader.read_genotypes();
}

ClonalData load(const std::string& text, Steps* steps = nullptr) {
    Steps taken;
    ClonalData data = read_in_steps(text, taken);
    if (steps != nullptr) {
        *steps = taken;
    }
    return data;
}

// The message of the fatal error the text raises, and the steps taken before it.
std::string rejection(const std::string& text, Steps* steps = nullptr) {
    Steps taken;
    try {
        read_in_steps(text, taken);
    } catch (const FatalError& error) {
        if (steps != nullptr) {
            *steps = taken;
        }
        return error.what();
    }
    return "<accepted>";
}

TEST(ClonalGenotypeFile, CanonicalLayoutAndItsSteps) {
    Steps steps;
    const ClonalData data = load("Sample data\n2\nNorth\nSouth\n1\t4\n2\t4\n2\t7\n", &steps);
    EXPECT_EQ(steps.title, "Sample data\n");
    EXPECT_EQ(steps.populations, 2);
    EXPECT_EQ(steps.sizes, (std::vector<int32_t>{1, 2}));
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
    Steps steps;
    const ClonalData data = load("t\n3\nA\nB\nC\n1 5\n0 99\n3 6\n0 98\n", &steps);
    EXPECT_EQ(steps.sizes, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(data.genotypes, (std::vector<Genotypes>{{99, 98}, {5}, {}, {6}}));
    // Population 0 takes no part in the largest genotype number.
    EXPECT_EQ(raise_largest_genotype(data, 0), 6);
}

TEST(ClonalGenotypeFile, NoPopulationsAndNoIndividuals) {
    Steps steps;
    const ClonalData data = load("empty\n0\n", &steps);
    EXPECT_EQ(steps.title, "empty\n");
    EXPECT_TRUE(steps.sizes.empty());
    EXPECT_EQ(data.populations, 0);
    EXPECT_EQ(data.genotypes.size(), 1u);
    EXPECT_EQ(raise_largest_genotype(data, 0), 0);
}

TEST(ClonalGenotypeFile, TitleWithoutLineEndAndLastGenotypeMissing) {
    // The whole first line is the title, numbers and all.
    EXPECT_EQ(rejection("title only 1 A"), "number of populations missing or not a number");
    // The individual is counted and keeps genotype number 0.
    const ClonalData data = load("t\n1\nA\n1 8\n1");
    EXPECT_EQ(data.genotypes[1], (Genotypes{8, 0}));
}

TEST(ClonalGenotypeFile, PopulationNumberAboveTheCountStopsAtItsIndividual) {
    // The census checks every record before any size is known.
    Steps steps;
    EXPECT_EQ(rejection("t\n2\nA\nB\n1 1\n2 2\n1 3\n2 4\n3 5\n1 6\n", &steps),
              "individual 5: population number higher than number of populations");
    EXPECT_EQ(steps.populations, 2);
    EXPECT_TRUE(steps.sizes.empty());
}

TEST(ClonalGenotypeFile, MalformedFilesAreRejected) {
    EXPECT_EQ(rejection(std::string(998, 'x') + "\n0\n"), "<accepted>");
    EXPECT_EQ(rejection(std::string(999, 'x') + "\n0\n"), "title line longer than 999 characters");
    EXPECT_EQ(rejection("t\n"), "number of populations missing or not a number");
    EXPECT_EQ(rejection("t\ntwo\nA B\n"), "number of populations missing or not a number");
    EXPECT_EQ(rejection("t\n-1\n"), "number of populations below 0");
    EXPECT_EQ(rejection("t\n99999999999\n"), "number of populations too large");
    EXPECT_EQ(rejection("t\n2\nA\n"), "population 2: name missing");
    EXPECT_EQ(rejection("t\n1\n" + std::string(24, 'n') + "\n1 1\n"), "<accepted>");
    EXPECT_EQ(rejection("t\n1\n" + std::string(25, 'n') + "\n1 1\n"),
              "population 1: name longer than 24 characters");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\n-1 2\n"), "individual 2: negative population number");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\n1 -2\n"), "individual 2: negative genotype number");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\nx 2\n"),
              "individual 2: population number is not an integer");
    EXPECT_EQ(rejection("t\n1\nA\n1 1\n1 2x\n"),
              "individual 3: population number is not an integer");
    EXPECT_EQ(rejection("t\n1\nA\n1 g\n"), "individual 1: genotype number is not an integer");
    EXPECT_EQ(rejection("t\n1\nA\n1 2147483648\n"),
              "individual 1: genotype number does not fit 32 bits");
    EXPECT_EQ(rejection("t\n1\nA\n1 2147483647\n"), "<accepted>");
}

TEST(ClonalGenotypeFile, WrittenFilesReadBackWithTheirTitleLineFitted) {
    const std::vector<int32_t> populations{2, 1, 2};
    const std::vector<int32_t> genotypes{1, 1, 2};
    const auto name = [](int32_t p) { return "site" + std::to_string(p); };
    std::ostringstream out;
    write_clonal_file(out, "no line end", 2, name, populations, genotypes);
    EXPECT_EQ(out.str(), "no line end\n2\nsite1\nsite2\n2\t1\n1\t1\n2\t2\n");
    const ClonalData data = load(out.str());
    EXPECT_EQ(data.genotypes, (std::vector<Genotypes>{{}, {1}, {1, 2}}));

    // A title of 999 characters before its line end is cut to 998, the longest the reader takes.
    std::ostringstream long_title;
    write_clonal_file(long_title, std::string(999, 't') + "\n", 1, name, {}, {});
    EXPECT_EQ(load(long_title.str()).title, std::string(998, 't') + "\n");
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
