// The FSTAT export of a clonal data set.
#include "marsyl/core/fstat_writer.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace marsyl {
namespace {

std::string exported(const clonal::ClonalData& data, int32_t largest_genotype) {
    std::ostringstream out;
    write_fstat_records(data, largest_genotype, out);
    return out.str();
}

clonal::ClonalData two_populations(std::vector<int32_t> first, std::vector<int32_t> second) {
    clonal::ClonalData data;
    data.populations = 2;
    data.names = {"", "A", "B"};
    data.genotypes = {{5, 6}, std::move(first), std::move(second)};
    return data;
}

TEST(FstatWriter, HomozygotesOfTheirGenotypeNumbers) {
    EXPECT_EQ(exported(two_populations({4, 4}, {7}), 7),
              "2\t1\t007\t3\t\n"
              "geno_as_haplotype\n"
              "1\t004004\n"
              "1\t004004\n"
              "2\t007007\n");
}

TEST(FstatWriter, LargestGenotypeNumberOfTheRunNotOfTheData) {
    EXPECT_EQ(exported(two_populations({0}, {}), 999),
              "2\t1\t999\t3\t\ngeno_as_haplotype\n1\t000000\n");
}

TEST(FstatWriter, CodesAbove999WidenEveryAlleleField) {
    EXPECT_EQ(allele_digits(0), 3);
    EXPECT_EQ(allele_digits(999), 3);
    EXPECT_EQ(allele_digits(1000), 4);
    EXPECT_EQ(allele_digits(2147483647), 10);
    EXPECT_EQ(exported(two_populations({12, 1000}, {123456}), 123456),
              "2\t1\t123456\t6\t\n"
              "geno_as_haplotype\n"
              "1\t000012000012\n"
              "1\t001000001000\n"
              "2\t123456123456\n");
}

TEST(FstatWriter, NoPopulations) {
    clonal::ClonalData data;
    data.names = {""};
    data.genotypes = {{3}};
    EXPECT_EQ(exported(data, 3), "0\t1\t003\t3\t\ngeno_as_haplotype\n");
}

}  // namespace
}  // namespace marsyl
