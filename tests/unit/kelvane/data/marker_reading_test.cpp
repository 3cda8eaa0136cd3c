// Reading marker data: genotype words, the marker data file, the FSTAT file and the allele tally.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/allele_tally.hpp"
#include "kelvane/data/fstat_reader.hpp"
#include "kelvane/data/genotype_split.hpp"
#include "kelvane/data/marker_data_loader.hpp"
#include "kelvane/data/marker_table_reader.hpp"

namespace kelvane {
namespace {

std::vector<int32_t> split(const std::string& word, int digits, int ploidy) {
    std::vector<int32_t> copies(static_cast<std::size_t>(ploidy), 0);
    split_genotype(word, digits, copies, 1, 1);
    return copies;
}

std::string error_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const clonal::FatalError& error) {
        return error.what();
    }
    return "no error";
}

std::vector<int32_t> copies_of(const MarkerData& data, int i, int k) {
    const auto span = data.locus_genotype(i, k);
    return {span.begin(), span.end()};
}

TEST(SplitGenotype, FieldsOfDigitsWithAShorterFirstCopy) {
    EXPECT_EQ(split("100102", 3, 2), (std::vector<int32_t>{100, 102}));
    EXPECT_EQ(split("98100", 3, 2), (std::vector<int32_t>{98, 100}));
    EXPECT_EQ(split("0", 3, 2), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(split("1", 2, 2), (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(split("0101", 1, 4), (std::vector<int32_t>{0, 1, 0, 1}));
    EXPECT_EQ(split("10a5", 2, 2), (std::vector<int32_t>{10, 0}));
    EXPECT_EQ(split("1x", 1, 2), (std::vector<int32_t>{1, 0}));
}

TEST(SplitGenotype, RefusesTooManyCopiesAndSignedPieces) {
    EXPECT_EQ(error_of([] { split("100102104", 3, 2); }),
              "ploidy higher than maximum, individual 1, locus 1");
    EXPECT_EQ(error_of([] { split("0101", 1, 3); }),
              "ploidy higher than maximum, individual 1, locus 1");
    EXPECT_EQ(error_of([] { split("10-5", 2, 2); }), "input file error, individual 1, locus 1");
    EXPECT_EQ(error_of([] { split("10+5", 2, 2); }), "input file error, individual 1, locus 1");
}

TEST(MarkerTable, ReadsTheTwoIndividualExample) {
    const MarkerData data = read_marker_table(
        "Two plants\n2 1 2 2 3\npop_A\n1 plant1 100102 098100\n1 plant2 0 100100\n");
    EXPECT_EQ(data.title, "Two plants\n");
    EXPECT_EQ(data.n_individuals, 2);
    EXPECT_EQ(data.n_populations, 1);
    EXPECT_EQ(data.n_loci, 2);
    EXPECT_EQ(data.max_ploidy, 2);
    EXPECT_EQ(data.digits, 3);
    EXPECT_EQ(data.pop_names, std::vector<std::string>{"pop_A"});
    EXPECT_EQ(data.ind_names, (std::vector<std::string>{"plant1", "plant2"}));
    EXPECT_EQ(data.locus_names, (std::vector<std::string>{"Locus1", "Locus2"}));
    EXPECT_EQ(copies_of(data, 0, 0), (std::vector<int32_t>{100, 102}));
    EXPECT_EQ(copies_of(data, 0, 1), (std::vector<int32_t>{98, 100}));
    EXPECT_EQ(copies_of(data, 1, 0), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(copies_of(data, 1, 1), (std::vector<int32_t>{100, 100}));
}

TEST(MarkerTable, FreeLayoutAnyPopulationOrderAndSkippedSigns) {
    const MarkerData data =
        read_marker_table("t\n3 2 1 1 2\nA B\n2 x\n11 -1 y 12 0 z\n13 extra records are ignored");
    EXPECT_EQ(data.pop_vector, (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(data.ind_names, (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(copies_of(data, 2, 0), std::vector<int32_t>{13});
}

TEST(MarkerTable, InputErrorsNameTheIndividualAndLocus) {
    const std::string header = "t\n3 2 2 2 3\nA B\n";
    EXPECT_EQ(error_of([&] { read_marker_table(header + "1 a 100 100\n1 b 100 100\n"); }),
              "wrong number of individuals");
    EXPECT_EQ(error_of([&] { read_marker_table(header + "1 a 100 100\n1 b 100 100\n3 c 1 1"); }),
              "individual 2 population number too high (3)");
    EXPECT_EQ(error_of([&] { read_marker_table(header + "1 a 100 NA\n"); }),
              "input file error, individual 1, locus 2");
    EXPECT_EQ(error_of([&] { read_marker_table(header + "1 a 1 1\n1 b 1 1\n2 c 100"); }),
              "input file error, individual 3, locus 2");
    EXPECT_EQ(error_of([&] { read_marker_table(header + "1 a ?1 1\n"); }),
              "input file error, individual 1, locus 1");
    EXPECT_EQ(error_of([&] { read_marker_table(header + "1 a 100102104 1\n"); }),
              "ploidy higher than maximum, individual 1, locus 1");
}

TEST(MarkerTable, RefusesBadHeadersLongNamesAndHugeNumbers) {
    EXPECT_EQ(error_of([] { read_marker_table("t\n0 1 1 1 1\nA\n"); }),
              "input file header: the number of individuals must be from 1 to 2147483647, "
              "not 0");
    EXPECT_EQ(error_of([] { read_marker_table("t\n1 1 1 1 10\nA\n"); }),
              "input file header: the number of digits per allele must be from 1 to 9, "
              "not 10");
    EXPECT_EQ(error_of([] { read_marker_table("t\n1 1 x"); }),
              "input file header: the number of loci is missing");
    EXPECT_EQ(error_of([] { read_marker_table("t\n1 99999999999 1 1 1"); }),
              "input file header: the number of populations is too large");
    EXPECT_EQ(error_of([] { read_marker_table("t\n1 1 1 1 1\n" + std::string(25, 'p') + "\n"); }),
              "population 1: name longer than 24 characters");
    EXPECT_EQ(error_of([] { read_marker_table("t\n1 1 1 1 1\nA\n1 twelve_chars 1"); }),
              "individual 1: name longer than 11 characters");
    EXPECT_EQ(error_of([] { read_marker_table("t\n1 1 1 1 1\nA\n99999999999 a 1"); }),
              "individual 1: population number too large");
}

TEST(MarkerTable, AHeaderThatPromisesMoreThanTheFileHoldsFailsWithoutHugeAllocation) {
    EXPECT_EQ(error_of([] { read_marker_table("t\n2000000000 1 1 1 1\nA\n1 a 1\n"); }),
              "wrong number of individuals");
}

TEST(MarkerTable, TitleLinesOfAnyLengthAreKeptWhole) {
    const std::string title(5000, 'T');
    const MarkerData data = read_marker_table(title + "\n1 1 1 1 1\nA\n1 a 1\n");
    EXPECT_EQ(data.title, title + "\n");
}

TEST(AlleleTally, CountsDistinctPresentAllelesPerLocus) {
    const MarkerData data = read_marker_table("t\n2 1 2 3 3\nA\n1 a 100102 98100\n1 b 102 100\n");
    EXPECT_EQ(count_alleles(data).total, 4);
    EXPECT_EQ(alleles_per_locus(data), (std::vector<std::vector<int32_t>>{{100, 102}, {98, 100}}));
}

TEST(AlleleTally, TellsWhenTheDataSuitTheDiceDistance) {
    const MarkerData haploid = read_marker_table("t\n3 1 2 1 1\nA\n1 a 1 1\n1 b 8 2\n1 c 1 3\n");
    EXPECT_EQ(count_alleles(haploid).total, 5);
    EXPECT_TRUE(count_alleles(haploid).dice_suitable);
    const MarkerData two_digits = read_marker_table("t\n2 1 1 1 2\nA\n1 a 1\n1 b 8\n");
    EXPECT_FALSE(count_alleles(two_digits).dice_suitable);
    const MarkerData diploid = read_marker_table("t\n2 1 1 2 1\nA\n1 a 1\n1 b 8\n");
    EXPECT_FALSE(count_alleles(diploid).dice_suitable);
    // Dice is offered only where there is an allele to count: all-missing data are not.
    EXPECT_TRUE(load_marker_data("d.txt", "t\n2 1 1 1 1\nA\n1 a 1\n1 b 8\n").dice_offered);
    EXPECT_FALSE(load_marker_data("d.txt", "t\n2 1 1 1 1\nA\n1 a 0\n1 b 0\n").dice_offered);
}

TEST(FstatReader, DiploidTwoDigitData) {
    const MarkerData data = read_fstat_file("2 2 20 2\nlocA locB\n1 0102 0\n\n2 0303 0101\n\n");
    EXPECT_EQ(data.title, "Data read from Fstat file\n");
    EXPECT_EQ(data.n_individuals, 2);
    EXPECT_EQ(data.n_populations, 2);
    EXPECT_EQ(data.max_ploidy, 2);
    EXPECT_EQ(data.population_name(1), "pop1");
    EXPECT_EQ(data.population_name(2), "pop2");
    EXPECT_EQ(data.ind_names, (std::vector<std::string>{"ind1", "ind2"}));
    EXPECT_EQ(data.locus_names, (std::vector<std::string>{"locA", "locB"}));
    EXPECT_EQ(copies_of(data, 0, 0), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(copies_of(data, 0, 1), (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(data.pop_vector, (std::vector<int32_t>{1, 2}));
}

TEST(FstatReader, PloidyComesFromTheLongestWordAndIsAtLeastTwo) {
    EXPECT_EQ(read_fstat_file("1 1 9 1\nL\n1 1\n1 2\n").max_ploidy, 2);
    const MarkerData triploid = read_fstat_file("1 1 9 2\nL\n1 0102\n1 010203\n");
    EXPECT_EQ(triploid.max_ploidy, 3);
    EXPECT_EQ(copies_of(triploid, 0, 0), (std::vector<int32_t>{1, 2, 0}));
}

TEST(FstatReader, ReadsBackAWrittenClonalDataSet) {
    const MarkerData data =
        read_fstat_file("2\t1\t007\t3\t\ngeno_as_haplotype\n1\t004004\n1\t004004\n2\t007007\n");
    EXPECT_EQ(data.n_individuals, 3);
    EXPECT_EQ(data.n_populations, 2);
    EXPECT_EQ(data.n_loci, 1);
    EXPECT_EQ(data.digits, 3);
    EXPECT_EQ(data.max_ploidy, 2);
    EXPECT_EQ(copies_of(data, 1, 0), (std::vector<int32_t>{4, 4}));
    EXPECT_EQ(copies_of(data, 2, 0), (std::vector<int32_t>{7, 7}));
}

TEST(FstatReader, InputErrors) {
    EXPECT_EQ(error_of([] { read_fstat_file("2 1 9 1\nL\n1 1\n1 ?\n"); }),
              "input file error, individual 2, locus 1");
    EXPECT_EQ(error_of([] { read_fstat_file("2 2 9 1\nL M\n1 1 1\n2 1"); }),
              "input file error, individual 2, locus 2");
    EXPECT_EQ(error_of([] { read_fstat_file("2 1 9 1\nL\n1 1\n3 1\n"); }),
              "individual 1 population number too high");
    EXPECT_EQ(error_of([] { read_fstat_file("2 1 9 0\nL\n1 1\n"); }),
              "input file header: the number of digits per allele must be from 1 to 9, "
              "not 0");
    EXPECT_EQ(error_of([] { read_fstat_file("2 1 9 1\nL\n"); }), "no individuals in input file");
    // A huge number of samples costs no memory of its own.
    EXPECT_EQ(read_fstat_file("2000000000 1 9 1\nL\n1 1\n").population_name(2000000000),
              "pop2000000000");
}

TEST(LoadMarkerData, ChoosesTheFormatByTheName) {
    EXPECT_TRUE(is_fstat_name("sample.dat"));
    EXPECT_FALSE(is_fstat_name("sample.DAT"));
    EXPECT_FALSE(is_fstat_name(".dat"));
    EXPECT_TRUE(is_fstat_name("a.dat"));

    const MarkerData fstat = load_marker_data("x.dat", "2 1 9 1\nL\n1 1\n1 2\n");
    EXPECT_EQ(fstat.title, "Data read from Fstat file\n");
    EXPECT_EQ(fstat.total_alleles, 2);
    const MarkerData table =
        load_marker_data("x.txt", "t\n3 2 2 1 2\nA B\n1 a 1 2\n2 b 3 4\n1 c 5 6\n");
    EXPECT_EQ(table.title, "t\n");
    EXPECT_EQ(table.total_alleles, 6);
}

}  // namespace
}  // namespace kelvane
