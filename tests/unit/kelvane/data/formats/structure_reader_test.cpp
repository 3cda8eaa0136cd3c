// The STRUCTURE reader on files written inline, in the layouts the settings describe: two rows or
// one row per individual, leading columns, a header with extra rows after it, polyploid rows
// padded with -9, alleles of 0 shifted, and errors that name line and column.
#include "kelvane/data/formats/structure_reader.hpp"

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

TEST(StructureReader, TwoRowsPerIndividualWithSkippedColumnsAndAllelesFromZero) {
    FormatSettings settings;
    settings.structure_columns = {StructureColumn::kLabel, StructureColumn::kPopulation,
                                  StructureColumn::kSkip};
    // Populations numbered 2 and 1; alleles 0 to 3, so every allele is read one higher.
    const std::string file =
        "s1 2 x 0 3 -9\r\n"
        "s1 2 x 1 3 -9\r\n"
        "\r\n"
        "s2\t1\ty\t2\t-9\t1\n"
        "s2\t1\ty\t2\t-9\t-9";
    const StructureData read = read_structure(file, settings);
    const MarkerData& data = read.data;
    EXPECT_EQ(read.allele_shift, 1);
    EXPECT_EQ(data.n_individuals, 2);
    EXPECT_EQ(data.n_loci, 3);
    EXPECT_EQ(data.ind_names, (std::vector<std::string>{"s1", "s2"}));
    // Numbered populations in ascending order.
    EXPECT_EQ(data.pop_names, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(populations_of(data), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(data.locus_names, (std::vector<std::string>{"Locus1", "Locus2", "Locus3"}));
    EXPECT_EQ(copies_of(data, 0, 0), (V{1, 2}));
    EXPECT_EQ(copies_of(data, 0, 1), (V{4, 4}));
    EXPECT_EQ(copies_of(data, 0, 2), (V{0, 0}));
    EXPECT_EQ(copies_of(data, 1, 2), (V{2, 0}));
}

TEST(StructureReader, PolyploidRowsWithAHeaderAndARowOfRecessiveAlleles) {
    FormatSettings settings;
    settings.structure_rows = 4;
    settings.structure_header = true;
    const std::string file =
        "\t\tRh15\tRUB26\n"
        "\t\t-9\t-9\n"
        "W1\t1\t197\t99\nW1\t1\t208\t99\nW1\t1\t-9\t-9\nW1\t1\t-9\t-9\n"
        "M1\t2\t208\t100\nM1\t2\t208\t102\nM1\t2\t153\t100\nM1\t2\t208\t100\n";
    const StructureData read = read_structure(file, settings);
    const MarkerData& data = read.data;
    EXPECT_EQ(read.allele_shift, 0);
    EXPECT_EQ(data.locus_names, (std::vector<std::string>{"Rh15", "RUB26"}));
    EXPECT_EQ(data.n_individuals, 2);
    EXPECT_EQ(data.max_ploidy, 4);
    EXPECT_EQ(copies_of(data, 0, 0), (V{197, 208, 0, 0}));
    EXPECT_EQ(copies_of(data, 1, 1), (V{100, 102, 100, 100}));
}

TEST(StructureReader, OneRowPerIndividualWithoutLeadingColumnsAndANumericHeader) {
    FormatSettings settings;
    settings.structure_rows = 1;
    settings.ploidy = 3;
    settings.structure_columns = {};
    settings.structure_header = true;
    const StructureData read = read_structure("1 2\n5 5 6 7 -9 7\n6 6 6 7 7 7\n", settings);
    EXPECT_EQ(read.data.ind_names, (std::vector<std::string>{"ind1", "ind2"}));
    EXPECT_EQ(read.data.locus_names, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(copies_of(read.data, 0, 1), (V{7, 0, 7}));
    EXPECT_EQ(populations_of(read.data), (std::vector<std::string>{"pop1", "pop1"}));
}

TEST(StructureReader, ErrorsNameTheLineAndColumn) {
    const FormatSettings two_rows;
    auto error = error_of([&] { read_structure("a 1 1 2\na 1 1 x\n", two_rows); });
    EXPECT_EQ(error.message, "'x' is not an allele: a whole number, or -9 for a missing copy");
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.column, 4);
    // Three rows of one individual read with two rows each.
    error = error_of([&] { read_structure("a 1 1 2\nb 1 1 2\nb 1 1 2\nc 1 1 2\n", two_rows); });
    EXPECT_EQ(error.message,
              "'b' here, 'a' in the row before: each individual takes 2 rows (structure_rows) "
              "that repeat its leading columns");
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.column, 1);
    error = error_of([&] { read_structure("a 1 1 2\na 1 1 2\nb 1 1 2\n", two_rows); });
    EXPECT_EQ(error.message, "the last individual has 1 of its 2 rows (structure_rows)");
    EXPECT_EQ(error.line, 3);
    error = error_of([&] { read_structure("a 1 1 2\na 1 1\n", two_rows); });
    EXPECT_EQ(error.message,
              "3 values here, 4 in the longest row (2 leading columns and the genotypes)");
    EXPECT_EQ(error.line, 2);
    error = error_of([&] { read_structure("L1 L2\na 1 1 2\na 1 1 2\n", two_rows); });
    EXPECT_EQ(error.message,
              "2 values here, 4 in the longest row (2 leading columns and the genotypes); a first "
              "line of locus names takes structure_header");
    EXPECT_EQ(error.line, 1);
    FormatSettings header = two_rows;
    header.structure_header = true;
    error = error_of([&] { read_structure("L1 L2 L3\na 1 1 2\na 1 1 2\n", header); });
    EXPECT_EQ(error.message, "the first line names 3 loci, the rows hold 2");
    EXPECT_EQ(error.line, 1);
}

}  // namespace
}  // namespace kelvane
