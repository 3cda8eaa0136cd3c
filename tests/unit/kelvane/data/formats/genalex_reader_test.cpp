// The GenAlEx reader on sheets written inline: layouts, separators, quoting, the codes of every
// kind of allele and missing copy, and errors that name line and column.
#include "kelvane/data/formats/genalex_reader.hpp"

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

TEST(GenalexReader, ReadsADiploidSheetAsSpreadsheetsSaveIt) {
    // A byte-order mark, CR LF line ends, a region block after the population sizes, quoted
    // names with a comma, trailing empty columns, a column of notes after the genotypes, and
    // samples of the second population before those of the first.
    const std::string sheet =
        "\xEF\xBB\xBF"
        "2,3,2,1,2,1,3,,,\r\n"
        "Oaks 2006,,,\"North, upper\",South,,Coast,,,\r\n"
        "Ind,Pop,Qs1,,Qs2,,notes,,,\r\n"
        "t1,South,152,150,A,G,dry,,,\r\n"
        "\"t 2\",\"North, upper\",0,154,-9,NA,,,,\r\n"
        "t3,South,152,152,,t,,,,\r\n"
        ",,,,,,,,,\r\n";
    const MarkerData data = read_genalex(sheet);
    EXPECT_EQ(data.title, "Oaks 2006\n");
    EXPECT_EQ(data.n_individuals, 3);
    EXPECT_EQ(data.n_loci, 2);
    EXPECT_EQ(data.max_ploidy, 2);
    EXPECT_EQ(data.digits, 3);
    EXPECT_EQ(data.locus_names, (std::vector<std::string>{"Qs1", "Qs2"}));
    EXPECT_EQ(data.ind_names, (std::vector<std::string>{"t1", "t 2", "t3"}));
    // Populations in the order line 2 names them.
    EXPECT_EQ(data.pop_names, (std::vector<std::string>{"North, upper", "South"}));
    EXPECT_EQ(data.pop_vector, (V{2, 1, 2}));
    EXPECT_EQ(copies_of(data, 0, 0), (V{152, 150}));
    EXPECT_EQ(copies_of(data, 0, 1), (V{1, 3}));  // A and G
    EXPECT_EQ(copies_of(data, 1, 0), (V{0, 154}));
    EXPECT_EQ(copies_of(data, 1, 1), (V{0, 0}));  // -9 and NA
    EXPECT_EQ(copies_of(data, 2, 1), (V{0, 4}));  // empty and t
}

TEST(GenalexReader, PloidyFromTheSpacingOfLocusNamesAndSemicolons) {
    const MarkerData triploid =
        read_genalex("2;2;1;2\n;;;P\nId;Pop;L1;;;L2;;\na;P;1;2;3;4;5;6\nb;P;7;8;9;10;11;12\n");
    EXPECT_EQ(triploid.max_ploidy, 3);
    EXPECT_EQ(copies_of(triploid, 1, 1), (V{10, 11, 12}));
    // A single locus reaches to the last column any sample fills.
    const MarkerData single = read_genalex("1\t2\t1\n\nid\tpop\tLoc\na\tp\t5\t6\t7\nb\tp\t8\t\t\n");
    EXPECT_EQ(single.max_ploidy, 3);
    EXPECT_EQ(copies_of(single, 1, 0), (V{8, 0, 0}));
    EXPECT_EQ(populations_of(single), (std::vector<std::string>{"p", "p"}));
}

TEST(GenalexReader, HaploidZeroOneDataArePresenceAndAbsence) {
    // Every value 0 or 1: 0 is an absent band (8), only -9, NA and empty fields are missing.
    const MarkerData bands = read_genalex("3,2,1,2\n,,,X\nI,P,b1,b2,b3\n1,X,0,1,-9\n2,X,1,NA,0\n");
    EXPECT_EQ(copies_of(bands, 0, 0), V{kAbsentBand});
    EXPECT_EQ(copies_of(bands, 0, 1), V{kPresentBand});
    EXPECT_EQ(copies_of(bands, 0, 2), V{0});
    EXPECT_EQ(copies_of(bands, 1, 1), V{0});
    EXPECT_EQ(copies_of(bands, 1, 2), V{kAbsentBand});
    // A value of 2 somewhere makes them haploid alleles, where 0 is missing.
    const MarkerData alleles = read_genalex("2,2,1,2\n,,,X\nI,P,b1,b2\n1,X,0,1\n2,X,2,1\n");
    EXPECT_EQ(copies_of(alleles, 0, 0), V{0});
    EXPECT_EQ(copies_of(alleles, 1, 0), V{2});
}

TEST(GenalexReader, ErrorsNameTheLineAndColumn) {
    const std::string head = "2,2,1,2\n,,,P\nI,P,A1,,A2,\n";
    auto error = error_of([&] { read_genalex(head + "a,P,1,2,3,4\nb,P,1,x2,3,4\n"); });
    EXPECT_EQ(error.message,
              "'x2' is not an allele: a whole number, A, C, G or T, or 0, -9, NA or an empty "
              "field for a missing copy");
    EXPECT_EQ(error.line, 5);
    EXPECT_EQ(error.column, 4);
    error = error_of([&] { read_genalex(head + "a,P,1,2,C,G\nb,P,1,2,3,4\n"); });
    EXPECT_EQ(error.message, "locus A2 holds both letters and numbers");
    EXPECT_EQ(error.line, 5);
    EXPECT_EQ(error.column, 5);
    error = error_of([&] { read_genalex(head + "a,P,1,2,3,4\n"); });
    EXPECT_EQ(error.message, "line 1 says 2 samples, the sheet holds 1");
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.column, 2);
    error = error_of([&] { read_genalex(head + "a,P,1,2,3,4\nb,P,1,2,3,4\nc,P,1,2,3,4\n"); });
    EXPECT_EQ(error.message, "line 1 says 2 samples; this row is one more");
    EXPECT_EQ(error.line, 6);
    error = error_of([] { read_genalex("3,1,1\n\nI,P,A,,B,,,C\na,P,1,1,1,1,1,1\n"); });
    EXPECT_EQ(error.message,
              "locus names stand 2 columns apart (one column per allele copy) until here, 3 "
              "columns after the one before");
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.column, 8);
    error = error_of([] { read_genalex("1,1,1\n\nI,P,A,\na,\"P,1,1\n"); });
    EXPECT_EQ(error.message, "a quote opened here is not closed on its line");
    EXPECT_EQ(error.line, 4);
    EXPECT_EQ(error.column, 2);
    error = error_of([] { read_genalex("two,1,1\n\nI,P,A\na,P,1\n"); });
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.column, 1);
    // Rows that end early, populations line 2 does not name, sizes that disagree with the rows.
    error = error_of([&] { read_genalex(head + "a,P,1,2,3,4\nb,P,1,2,3\n"); });
    EXPECT_EQ(error.line, 5);
    EXPECT_EQ(error.column, 6);
    error = error_of([&] { read_genalex(head + "a,P,1,2,3,4\nb,Q,1,2,3,4\n"); });
    EXPECT_EQ(error.message, "the population 'Q' is not named on line 2");
    EXPECT_EQ(error.line, 5);
    error = error_of(
        [] { read_genalex("2,2,2,1,1\n,,,P,Q\nI,P,A1,,A2,\na,P,1,2,3,4\nb,P,1,2,3,4\n"); });
    EXPECT_EQ(error.message, "line 1 gives population 1 1 samples, the sheet holds 2");
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.column, 4);
    error = error_of([] { read_genalex("1,2,1\n\nI,P,A\na,P,1\nb,Q,1\n"); });
    EXPECT_EQ(error.message, "line 1 says 1 populations, the samples name 2");
}

}  // namespace
}  // namespace kelvane
