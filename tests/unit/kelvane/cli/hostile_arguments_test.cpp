// Arguments and files a careless or hostile user gives the newer commands: every input file is
// kept from being replaced, places beyond what a distance holds or too close to draw are handled,
// a statistic without a value has no p-value, and fewer than two units or a setting out of range
// are named for what they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvane/cli/kelvane_cli.hpp"
#include "support/scratch_folder.hpp"
#include "support/tables.hpp"

namespace kelvane::cli {
namespace {

using testing_support::CommandRun;
using testing_support::tab_rows;

// Five ramets along a transect: a and b one genet, c alone, d and e one genet.
constexpr const char* kPlot =
    "Five ramets of three genets\n5 1 1 1 1\nPlot\n1 a 1\n1 b 1\n1 c 2\n1 d 3\n1 e 3\n";
constexpr const char* kPlaces = "ramet\tx\ty\ne\t10\t0\nd\t6\t0\nc\t3\t0\nb\t1\t0\na\t0\t0\n";

class HostileArguments : public ::testing::Test {
  protected:
    HostileArguments() : scratch_("hostile") {
        scratch_.write("plot.txt", kPlot);
        scratch_.write("places.tsv", kPlaces);
    }
    std::string path(const std::string& name) const { return scratch_.path(name); }
    void write(const std::string& name, const std::string& text) const {
        scratch_.write(name, text);
    }
    std::string content(const std::string& name) const { return scratch_.content(name); }
    CommandRun run(std::vector<std::string> arguments) const {
        arguments.insert(arguments.end(), {"--threads", "1"});
        return testing_support::run_command(run_kelvane_command_line, arguments);
    }

  private:
    testing_support::ScratchFolder scratch_;
};

// Strata, repeat lengths and coordinates are inputs as the data file is: a result named as one
// of them is refused (status 2) and the file stays as it was.
TEST_F(HostileArguments, NoResultReplacesAFileTheRunReads) {
    const std::string strata = "ramet\tregion\na\tN\nb\tN\nc\tN\nd\tS\ne\tS\n";
    write("s.tsv", strata);
    write("r.tsv", "1\t2\n");
    const std::vector<std::vector<std::string>> runs{
        {"amova", path("plot.txt"), "--strata", path("s.tsv"), "--hierarchy", "region", "--out",
         path("s.tsv")},
        {"report", path("plot.txt"), "--strata", path("s.tsv"), "--hierarchy", "region", "--html",
         path("s.tsv")},
        {"loci", path("plot.txt"), "--distance", "stepwise", "--repeat-lengths", path("r.tsv"),
         "--out", path("r.tsv")},
        {"spatial", "edge", path("plot.txt"), "--coordinates", path("places.tsv"), "--out",
         path("places.tsv")}};
    for (const std::vector<std::string>& arguments : runs) {
        const CommandRun refused = run(arguments);
        EXPECT_EQ(refused.status, 2) << arguments[0];
        EXPECT_NE(refused.err.find("names the input file"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(content("s.tsv"), strata);
    EXPECT_EQ(content("r.tsv"), "1\t2\n");
    EXPECT_EQ(content("places.tsv"), kPlaces);
}

// Places a millionth of a millionth apart are drawn (the map's axis widened), as are places
// 1e-15 from 0; places whose distances would overflow, a blank x and a centre outside the globe
// are refused with the individual, the line or the option.
TEST_F(HostileArguments, PlacesTooCloseToDrawOrTooFarToMeasure) {
    write("close.tsv",
          "ramet\tx\ty\ne\t1\t0\nd\t1.000000000000001\t0\nc\t1\t0\nb\t1\t0\na\t1\t0\n");
    write("zero.tsv", "ramet\tx\ty\ne\t0\t0\nd\t1e-15\t0\nc\t0\t0\nb\t0\t0\na\t2e-15\t0\n");
    for (const char* places : {"close.tsv", "zero.tsv"}) {
        const CommandRun drawn = run({"spatial", "subrange", path("plot.txt"), "--coordinates",
                                      path(places), "--svg", path("map.svg")});
        EXPECT_EQ(drawn.status, 0) << drawn.err;
        EXPECT_NE(content("map.svg").find("</svg>"), std::string::npos);
    }
    write("far.tsv", "ramet\tx\ty\ne\t1e308\t0\nd\t6\t0\nc\t3\t0\nb\t1\t0\na\t0\t0\n");
    const CommandRun far =
        run({"spatial", "subrange", path("plot.txt"), "--coordinates", path("far.tsv")});
    EXPECT_EQ(far.status, 1);
    EXPECT_NE(far.err.find("the x of 'e' is 1e308, beyond -1e150 to 1e150"), std::string::npos)
        << far.err;
    write("blank.tsv", "ramet\tx\ty\ne\t\t0\nd\t6\t0\nc\t3\t0\nb\t1\t0\na\t0\t0\n");
    const CommandRun blank =
        run({"spatial", "edge", path("plot.txt"), "--coordinates", path("blank.tsv")});
    EXPECT_EQ(blank.status, 1);
    EXPECT_NE(blank.err.find("the individual 'e' has nothing in the column 'x'"),
              std::string::npos);
    EXPECT_NE(blank.err.find("line 2 column 2"), std::string::npos) << blank.err;
    const CommandRun centre = run({"spatial", "edge", path("plot.txt"), "--coordinates",
                                   path("places.tsv"), "--geographic", "--center", "0,200"});
    EXPECT_EQ(centre.status, 2);
    EXPECT_NE(centre.err.find("--center: the latitude of the centre is 200"), std::string::npos)
        << centre.err;
}

// With every ramet in one genet (threshold 100) no genet has one ramet and the nearest
// neighbours cannot be apart: Ee and Ac have no value, and so no p-value. Da about the centroid
// x = 4 is (4 + 3 + 1 + 2 + 6) / 5. One class holding every pair has the same mean under every
// permutation: p is 1.
TEST_F(HostileArguments, AStatisticWithoutAValueHasNoPValue) {
    const std::vector<std::string> place{path("plot.txt"), "--coordinates", path("places.tsv"),
                                         "--permutations", "99"};
    std::vector<std::string> edge{"spatial", "edge", "--threshold", "100"};
    edge.insert(edge.end(), place.begin(), place.end());
    EXPECT_EQ(run(edge).out,
              "population\tdu\tda\tee\tp\nPlot\tNA\t3.2\tNA\tNA\nall\tNA\t3.2\tNA\tNA\n");
    std::vector<std::string> aggregation{"spatial", "aggregation", "--threshold", "100"};
    aggregation.insert(aggregation.end(), place.begin(), place.end());
    EXPECT_EQ(run(aggregation).out,
              "population\tpsg\tpsp\tac\tp\nPlot\t0\t0\tNA\tNA\nall\t0\t0\tNA\tNA\n");
    // Thirty ramets, enough for the order of summation to show in the last bits of the mean.
    std::string thirty = "Thirty ramets\n30 1 3 2 2\nPlot\n";
    std::string thirty_places = "ramet\tx\ty\n";
    for (int i = 0; i < 30; ++i) {
        thirty += "1 r" + std::to_string(i);
        for (int k = 0; k < 3; ++k) {
            thirty += " " + std::to_string(10 + (i * 7 + k * 3) % 5) +
                      std::to_string(10 + (i * i + k) % 5);
        }
        thirty += "\n";
        thirty_places += "r" + std::to_string(i) + "\t" + std::to_string(i * 13 % 50) + "\t" +
                         std::to_string(i * 29 % 50) + "\n";
    }
    write("thirty.txt", thirty);
    write("thirty.tsv", thirty_places);
    const auto rows =
        tab_rows(run({"spatial", "autocorrelation", path("thirty.txt"), "--coordinates",
                      path("thirty.tsv"), "--classes", "1", "--permutations", "99"})
                     .out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][5], "435");
    EXPECT_EQ(rows[1][7], "1");

    // Populations of one individual each: no variance within, no Phi-st, no p.
    write("singles.txt", "Three plants\n3 3 1 1 1\nP Q R\n1 a 1\n2 b 2\n3 c 3\n");
    for (const auto& row :
         tab_rows(run({"amova", path("singles.txt"), "--pairwise", "--permutations", "99"}).out)) {
        EXPECT_EQ(row[2] == "NA", row[3] == "NA") << row[0] << " " << row[1];
    }
    // The copies within individuals of one individual per lowest group: components without a
    // value have no test.
    write("pairs.txt", "Four plants\n4 1 1 2 1\nP\n1 a 12\n1 b 11\n1 c 22\n1 d 12\n");
    write("levels.tsv", "ramet\tregion\tuniq\na\tN\ta\nb\tN\tb\nc\tS\tc\nd\tS\td\n");
    const CommandRun nested =
        run({"amova", path("pairs.txt"), "--strata", path("levels.tsv"), "--hierarchy",
             "region/uniq", "--within", "--permutations", "99"});
    ASSERT_EQ(nested.status, 0) << nested.err;
    int undefined = 0;
    for (const auto& row : tab_rows(nested.out)) {
        if (row[0] != "total" && row[5] == "NA") {
            ++undefined;
            EXPECT_EQ(row[6], "NA") << row[0];
        }
    }
    EXPECT_GT(undefined, 0) << nested.out;
}

// Fewer than two units to pair, a repeat length that makes a locus one allele, loss at a ploidy
// whose fillings cannot be counted, and more threads than the machine has.
TEST_F(HostileArguments, WhatIsMissingOrTooLargeIsNamed) {
    write("one.txt", "One plant\n1 1 1 1 1\nPlot\n1 a 1\n");
    for (const std::string analysis : {"subrange", "aggregation", "edge", "autocorrelation"}) {
        const CommandRun one =
            run({"spatial", analysis, path("one.txt"), "--coordinates", path("places.tsv")});
        EXPECT_EQ(one.status, 1) << analysis;
        EXPECT_NE(one.err.find("pair individuals with coordinates, and there is one"),
                  std::string::npos)
            << one.err;
    }
    const CommandRun genet =
        run({"spatial", "autocorrelation", path("plot.txt"), "--coordinates", path("places.tsv"),
             "--threshold", "100", "--level", "genets-central"});
    EXPECT_EQ(genet.status, 1);
    EXPECT_NE(genet.err.find("two units or more to pair; there is one genet"), std::string::npos)
        << genet.err;

    const CommandRun merged =
        run({"distances", path("plot.txt"), "--distance", "stepwise", "--repeat-lengths", "1e10"});
    EXPECT_EQ(merged.status, 2);
    EXPECT_NE(merged.err.find("makes the 3 alleles of locus"), std::string::npos) << merged.err;

    // A dodecaploid with all its copies typed beside one with a single copy.
    write("twelve.csv",
          "1,2,1,2\n,,,P\nI,P,L,,,,,,,,,,,\na,P,100,102,104,106,108,110,112,114,116,118,120,122\n"
          "b,P,101,0,0,0,0,0,0,0,0,0,0,0\n");
    const CommandRun loss = run({"distances", path("twelve.csv"), "--distance", "two-phase",
                                 "--partial-genotypes", "loss"});
    EXPECT_EQ(loss.status, 1);
    EXPECT_NE(loss.err.find("by genome loss from copies of at most 10"), std::string::npos)
        << loss.err;
    EXPECT_EQ(run({"distances", path("twelve.csv"), "--distance", "two-phase",
                   "--partial-genotypes", "addition"})
                  .status,
              0);

    const CommandRun threads = testing_support::run_command(
        run_kelvane_command_line, {"distances", path("plot.txt"), "--threads", "2147483647"});
    EXPECT_EQ(threads.status, 0) << threads.err;
}

}  // namespace
}  // namespace kelvane::cli
