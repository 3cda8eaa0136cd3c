// Whole runs of the resampling commands whose outcome follows from the definitions alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/core/machine_memory.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "support/scratch_folder.hpp"
#include "support/tables.hpp"

namespace marsyl::cli {
namespace {

using testing_support::run_command;
using testing_support::tab_rows;

// A: 20 distinct genotypes; B: 20 copies of one. The row compares B (population_a) with A. A
// redrawn A holds fewer than 20 genotypes but with chance 20!/20^20, so the difference B - A of
// gen and eff, centred on the observed -19, stays above it in every replicate: "B's is greater"
// has p = 1, "B's is smaller" p = (0 + 1) / 99.
TEST(ResamplingCommands, BootstrapPValuesAreNamedAfterWhatTheyTest) {
    const testing_support::ScratchFolder scratch("marsyl-bootstrap");
    std::string clonal = "Direction\n2\nA B\n";
    for (int i = 1; i <= 20; ++i) {
        clonal += "1 " + std::to_string(i) + "\n2 1\n";
    }
    scratch.write("clonal.txt", clonal);
    const auto run = run_command(
        run_marsyl_command_line,
        {"bootstrap", scratch.path("clonal.txt"), "--permutations", "99", "--seed", "1,2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = tab_rows(run.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(rows[0].begin(), rows[0].begin() + 6),
              (std::vector<std::string>{"population_a", "population_b", "p_greater_gen",
                                        "p_smaller_gen", "p_greater_eff", "p_smaller_eff"}));
    // The dialogue's order of pairs: the later population first.
    EXPECT_EQ(std::vector<std::string>(rows[1].begin(), rows[1].begin() + 6),
              (std::vector<std::string>{"B", "A", "1", "0.010101010101010102", "1",
                                        "0.010101010101010102"}));
}

// 20,000 populations of three make 199,990,000 pairs, whose p-values and rows need more memory
// than the machine has: both tests of every pair refuse before the first one, saying so.
TEST(ResamplingCommands, PairsBeyondTheMachineAreRefusedBeforeAnyTest) {
    if (clonal::physical_memory() > (uint64_t{64} << 30)) {
        GTEST_SKIP() << "the pairs would fit this machine's memory";
    }
    const testing_support::ScratchFolder scratch("marsyl-many-pairs");
    std::string names;
    std::string records;
    for (int p = 1; p <= 20000; ++p) {
        names += (p == 1 ? "p" : " p") + std::to_string(p);
        for (int g = 1; g <= 3; ++g) {
            records += std::to_string(p) + " " + std::to_string(g) + "\n";
        }
    }
    scratch.write("clonal.txt", "Many small populations\n20000\n" + names + "\n" + records);
    for (const char* command : {"bootstrap", "differentiation"}) {
        const auto run = run_command(run_marsyl_command_line,
                                     {command, scratch.path("clonal.txt"), "--permutations", "9"});
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("the tests of the 199990000 pairs of 20000 populations need"),
                  std::string::npos)
            << run.err;
    }
}

}  // namespace
}  // namespace marsyl::cli
