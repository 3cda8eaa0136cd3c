// Whole runs of indices --extended and pareto on the three-site fixture against values computed
// independently with R 4 and vegan 2.6-4 (our script of the definitions, see the core tests),
// and the options' usage rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "marsyl/cli/marsyl_cli.hpp"
#include "support/clone_size_fixtures.hpp"
#include "support/peer_values.hpp"
#include "support/scratch_folder.hpp"
#include "support/tables.hpp"

namespace marsyl::cli {
namespace {

using testing_support::run_command;
using testing_support::tab_rows;

// The table a command writes for the three sites against the header and rows expected: names,
// counts and NA as text, reals as peer values.
void expect_table(const std::vector<std::string>& arguments, const std::vector<std::string>& header,
                  const std::vector<std::vector<std::string>>& expected) {
    const testing_support::ScratchFolder scratch("marsyl-clone-sizes");
    scratch.write("clonal.txt", testing_support::three_sites_clonal_file());
    std::vector<std::string> with_file = arguments;
    with_file.insert(with_file.begin() + 1, scratch.path("clonal.txt"));
    const auto run = run_command(run_marsyl_command_line, with_file);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = tab_rows(run.out);
    ASSERT_EQ(rows.size(), expected.size() + 1);
    EXPECT_EQ(rows[0], header);
    for (std::size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(rows[r + 1].size(), header.size());
        for (std::size_t k = 0; k < header.size(); ++k) {
            const std::string& want = expected[r][k];
            const std::string what = expected[r][0] + " " + header[k];
            const bool exact = header[k] == "population" || header[k] == "N" || header[k] == "G" ||
                               header[k] == "points" || want == "NA";
            if (exact) {
                EXPECT_EQ(rows[r + 1][k], want) << what;
            } else {
                testing_support::expect_peer_value(std::stod(want), std::stod(rows[r + 1][k]),
                                                   what);
            }
        }
    }
}

const std::vector<std::string> kExtendedHeader{
    "population",      "N",  "G",    "R",      "H", "J", "simpson", "hill", "V", "lambda",
    "stoddart_taylor", "E5", "eMLG", "eMLG_se"};

TEST(CloneSizeCommands, ExtendedIndicesOfEveryPopulationAndTheTotal) {
    // The default n' is 10: B holds only 9 individuals, its eMLG is undefined.
    expect_table(
        {"indices", "--extended"}, kExtendedHeader,
        {{"A", "40", "28", "0.69230769230769229", "3.14962107661947099", "0.94520641425272767",
          "0.97051282051282051", "33.9130434782608674", "0.79218106995884852", "0.94625",
          "18.6046511627907", "0.78848366543860982", "8.85400481453117294", "0.94205707373023839"},
         {"B", "9", "6", "0.625", "1.6769877743224173", "0.93594469744586595",
          "0.88888888888888884", "9", "0.53333333333333321", "0.79012345679012341",
          "4.764705882352941", "0.86556543015137299", "NA", "NA"},
         {"C", "20", "13", "0.63157894736842102", "2.41505212191780716", "0.94155937811884172",
          "0.94210526315789478", "17.2727272727272734", "0.75170068027210957", "0.895",
          "9.523809523809524", "0.83645866023637405", "7.87770897832817596", "0.98780412042155297"},
         {"total", "69", "44", "0.63235294117647056", "3.55576869045393407", "0.93963808224171541",
          "0.97655583972719517", "42.6545454545454561", "0.88409302325581407",
          "0.96240285654274316", "26.59776536312849", "0.75254952906463568", "9.06355048372519789",
          "0.88606056073277739"}});
}

TEST(CloneSizeCommands, RarefiedToTheSizeGiven) {
    const testing_support::ScratchFolder scratch("marsyl-clone-sizes");
    scratch.write("clonal.txt", testing_support::three_sites_clonal_file());
    const auto run = run_command(run_marsyl_command_line, {"indices", scratch.path("clonal.txt"),
                                                           "--extended", "--rarefy", "20"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = tab_rows(run.out);
    ASSERT_EQ(rows.size(), 5u);
    // A and the total against vegan; C holds exactly 20; B fewer.
    testing_support::expect_peer_value(15.9490644490644282, std::stod(rows[1][12]), "A eMLG");
    testing_support::expect_peer_value(1.4082114739286458, std::stod(rows[1][13]), "A SE");
    EXPECT_EQ(rows[2][12] + " " + rows[2][13], "NA NA");
    EXPECT_EQ(rows[3][12] + " " + rows[3][13], "13 0");
    testing_support::expect_peer_value(16.5568437968617737, std::stod(rows[4][12]), "total eMLG");
    testing_support::expect_peer_value(1.4968348110250558, std::stod(rows[4][13]), "total SE");
}

TEST(CloneSizeCommands, ParetoIndexOfEveryPopulationAndTheTotal) {
    expect_table(
        {"pareto"}, {"population", "beta", "c", "r2", "points"},
        {{"A", "1.18075594160854869", "2.18075594160854891", "0.94045565643021778", "5"},
         {"B", "0.98363199741046303", "1.98363199741046303", "0.98803036441384451", "3"},
         {"C", "1.11702215618393264", "2.11702215618393286", "0.96791179675122707", "4"},
         {"total", "1.13278423439802278", "2.13278423439802278", "0.94875784244079986", "6"}});
}

TEST(CloneSizeCommands, UsageErrors) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"indices", "clonal.txt", "--rarefy", "10"},
          std::vector<std::string>{"indices", "clonal.txt", "--extended", "--partition"},
          std::vector<std::string>{"indices", "clonal.txt", "--extended", "--rarefy", "-1"}}) {
        const auto run = run_command(run_marsyl_command_line, arguments);
        EXPECT_EQ(run.status, 2) << arguments.back();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("marsyl: error: ", 0), 0u) << run.err;
    }
}

}  // namespace
}  // namespace marsyl::cli
