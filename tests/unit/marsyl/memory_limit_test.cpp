// Whole runs of marsyl on a machine without enough memory for the number of permutations asked
// for: the run ends with the message of the array that could not be allocated and exit status 1,
// never with an abort, and the report keeps no half-written section. The runs happen in a child
// process whose address space is limited to 1 GiB more than the test process holds.
#include "support/memory_limit.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "marsyl/dialogue/marsyl_program.hpp"
#include "support/scratch_folder.hpp"

namespace marsyl {
namespace {

namespace fs = std::filesystem;

using memory_limit::kHeadroom;

class MemoryLimit : public memory_limit::LimitedRunTest {
  protected:
    void SetUp() override {
        memory_limit::LimitedRunTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        std::ofstream data(path("data.txt"));
        data << "Two sites\n2\nNorth South\n1 1\n1 2\n1 2\n2 2\n2 3\n2 3\n";
    }
    std::string path(const std::string& name) const { return scratch.path(name); }

    static std::string content(const std::string& name) {
        return testing_support::file_content(name);
    }

    static std::optional<memory_limit::LimitedRun> run(const std::string& answers) {
        return memory_limit::run_program_with_memory_limit(kHeadroom,
                                                           dialogue::run_marsyl_for_tests, answers);
    }

    static bool ends_with(const std::string& text, const std::string& end) {
        return memory_limit::ends_with(text, end);
    }

    std::string report_header() const {
        return "\n\n" + std::string(97, '*') +
               "\n\nMarsyl version 1.1 - clonal diversity, by the clonal genotypes team\n\n"
               "Output generated: Tue, Apr. 09, 10:15:30\ninput file: " +
               path("data.txt") + "\noutput file: " + path("report.txt") +
               "\nTwo sites\n\nnumber of populations: 2\n";
    }

    testing_support::ScratchFolder scratch{"marsyl-memory"};
};

// Six arrays of the largest number of permutations would take 96 GiB.
TEST_F(MemoryLimit, JackknifePermutationsBeyondTheMemoryEndTheRun) {
    const auto outcome =
        run(path("data.txt") + "\n" + path("report.txt") + "\n4\n2147483647\n\n9\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 1);
    EXPECT_TRUE(ends_with(outcome->output,
                          "\n\nJackknifing with increasing sample sizes\n"
                          "\nGive the number of permutations: "
                          "\nPerforming jackknife permutations...\n"
                          "ERROR: count_matrix Malloc failed"))
        << outcome->output;
    EXPECT_EQ(content(path("report.txt")), report_header());
}

// The limit is real: the same analysis with a number of permutations that fits runs through.
TEST_F(MemoryLimit, JackknifeWithinTheMemoryRunsThrough) {
    const auto outcome = run(path("data.txt") + "\n" + path("report.txt") + "\n4\n20\n\n9\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 0);
    EXPECT_TRUE(ends_with(outcome->output, "You can now close the window.\n"));
    const std::string report = content(path("report.txt"));
    EXPECT_EQ(report.rfind(report_header() + "\n\nJACKKNIFE PERMUTATIONS\n"
                                             "number of permutations per subsample size: 20\n"
                                             "Population 1: North\n",
                           0),
              0u);
}

}  // namespace
}  // namespace marsyl
