// The Genepop reader on files written inline: locus names in each layout, words of two and three
// digits per allele, haploid and diploid, populations named after their last individual, and
// errors that name line and column.
#include "kelvane/data/formats/genepop_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/read_errors.hpp"

namespace kelvane {
namespace {

using testing::copies_of;
using testing::error_of;
using testing::populations_of;
using V = std::vector<int32_t>;

TEST(GenepopReader, ReadsWordsOfEveryWidthAndNamesPopulationsAfterTheirLastIndividual) {
    const std::string file =
        "Grapes, two sites\r\n"
        "ADH Locus 1\r\n"
        "ADH #2\r\n"
        "mtDNA\r\n"
        "Pop\r\n"
        "Grange des Peres  ,  0201 003003 01\r\n"
        " , 0000 100002\t00\r\n"
        "Grange 2,0202 000001 02\r\n"
        "\r\n"
        "POP\r\n"
        "pop\r\n"
        "x1 ,0101 001001 03 \r\n";
    const MarkerData data = read_genepop(file);
    EXPECT_EQ(data.title, "Grapes, two sites\n");
    EXPECT_EQ(data.locus_names, (std::vector<std::string>{"ADH Locus 1", "ADH #2", "mtDNA"}));
    EXPECT_EQ(data.ind_names, (std::vector<std::string>{"Grange des Peres", "", "Grange 2", "x1"}));
    // The empty population between POP and pop does not count.
    EXPECT_EQ(populations_of(data),
              (std::vector<std::string>{"Grange 2", "Grange 2", "Grange 2", "x1"}));
    EXPECT_EQ(data.max_ploidy, 2);
    EXPECT_EQ(data.digits, 3);
    EXPECT_EQ(copies_of(data, 0, 0), (V{2, 1}));
    EXPECT_EQ(copies_of(data, 0, 1), (V{3, 3}));
    EXPECT_EQ(copies_of(data, 0, 2), (V{1, 0}));  // haploid
    EXPECT_EQ(copies_of(data, 1, 0), (V{0, 0}));
    EXPECT_EQ(copies_of(data, 1, 1), (V{100, 2}));
    EXPECT_EQ(copies_of(data, 2, 1), (V{0, 1}));  // one copy missing
}

TEST(GenepopReader, LocusNamesOnOneLineAndPopulationNamesMadeDistinct) {
    // Names separated by commas, then by blanks; an empty last name and a name taken before.
    const std::string individuals =
        "Pop\na, 0101 0202\nPop\n ,0102 0101\nPop\nb, 0202 0202\n"
        "Pop\na, 0101 0101\n";
    const MarkerData commas = read_genepop("t\n136, 137\n" + individuals);
    EXPECT_EQ(commas.locus_names, (std::vector<std::string>{"136", "137"}));
    EXPECT_EQ(commas.pop_names, (std::vector<std::string>{"a", "pop2", "b", "a (pop4)"}));
    const MarkerData blanks = read_genepop("t\n136 137\n" + individuals);
    EXPECT_EQ(blanks.locus_names, (std::vector<std::string>{"136", "137"}));
}

TEST(GenepopReader, ErrorsNameTheLineAndColumn) {
    auto error = error_of([] { read_genepop("t\nL1\nL2\nPop\na, 0101 0202\nb, 0101 01020\n"); });
    EXPECT_EQ(error.message,
              "genotype '01020' has 5 digits: one or two alleles of 2 or 3 digits "
              "each");
    EXPECT_EQ(error.line, 6);
    EXPECT_EQ(error.column, 9);
    error = error_of([] { read_genepop("t\nL1\nL2\nPop\na, 0101 0202\nb, 0101 01x2\n"); });
    EXPECT_EQ(error.message, "genotype '01x2' is not made of digits");
    EXPECT_EQ(error.column, 9);
    error = error_of([] { read_genepop("t\nL1\nL2\nPop\na, 0101 0202\nb, 0101\n"); });
    EXPECT_EQ(error.message, "1 genotypes here, 2 in the first individual");
    EXPECT_EQ(error.line, 6);
    error = error_of([] { read_genepop("t\nL1\nL2\nL3\nPop\na, 0101 0202\n"); });
    EXPECT_EQ(error.message,
              "the file names 3 loci before its first Pop line, but the first individual has 2 "
              "genotypes");
    EXPECT_EQ(error.line, 6);
    error = error_of([] { read_genepop("t\nL1\nPop\na 0101\n"); });
    EXPECT_EQ(error.message, "an individual's line holds its name, a comma and its genotypes");
    EXPECT_EQ(error.line, 4);
    error = error_of([] { read_genepop("t\nL1\na, 0101\n"); });
    EXPECT_EQ(error.message, "no 'Pop' line opens a population");
}

}  // namespace
}  // namespace kelvane
