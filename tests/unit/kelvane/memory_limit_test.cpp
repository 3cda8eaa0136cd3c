// Whole runs of kelvane on a machine without enough memory for what the data or the answers ask
// for: each ends with the message of the array that could not be allocated and exit status 1,
// never with an abort, and leaves no result file behind. The runs happen in a child process whose
// address space is limited to 1 GiB more than the test process holds.
#include "support/memory_limit.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "kelvane/dialogue/kelvane_program.hpp"
#include "support/scratch_folder.hpp"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

using memory_limit::kHeadroom;

class MemoryLimit : public memory_limit::LimitedRunTest {
  protected:
    std::string path(const std::string& name) const { return scratch.path(name); }

    void write(const std::string& name, const std::string& text) const {
        scratch.write(name, text);
    }

    static std::optional<memory_limit::LimitedRun> run(const std::string& answers) {
        return memory_limit::run_program_with_memory_limit(kHeadroom, dialogue::run_kelvane,
                                                           answers);
    }

    static bool ends_with(const std::string& text, const std::string& end) {
        return memory_limit::ends_with(text, end);
    }

    // Three plants whose distances are imported from a lower triangle, up to the analysis menu.
    std::string three_plants_imported() const {
        write("data.txt", "Three plants\n3 1 1 2 3\nall\n1 a 100102\n1 b 100104\n1 c 100110\n");
        write("m.txt", "2\n8 6\n");
        return path("data.txt") + "\n1\n" + path("m.txt") + "\n2\n";
    }

    testing_support::ScratchFolder scratch{"kelvane-memory"};
};

// 30000 individuals need 3.6 GB of distances.
TEST_F(MemoryLimit, ADistanceMatrixBeyondTheMemoryEndsTheRun) {
    std::string data = "Many plants\n30000 1 1 2 3\nall\n";
    for (int i = 1; i <= 30000; ++i) {
        data += "1 p" + std::to_string(i) + " 100102\n";
    }
    write("many.txt", data);
    const auto outcome = run(path("many.txt") + "\n2\n1\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 1);
    EXPECT_TRUE(ends_with(outcome->output,
                          "\n\nGive name of input file: 30000 individuals\n1 population\n1 locus\n"
                          "3 digits per allele\n\nMaximum ploidy level: 2\n"
                          "Total number of alleles: 2\n"
                          "ERROR: distance matrix malloc failed, more memory needed"))
        << outcome->output;
}

// The largest number of classes asks for 16 GiB of counters.
TEST_F(MemoryLimit, HistogramClassesBeyondTheMemoryEndTheRun) {
    const auto outcome = run(three_plants_imported() + "1\n2147483647\n10\n4\n6\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 1);
    EXPECT_TRUE(ends_with(outcome->output,
                          "\nGENOTYPE ASSIGNMENT:\nmaximum distance:\t8\n"
                          "\nGive the number of frequency classes (>1):\n"
                          "ERROR: frequency classes, more memory needed"))
        << outcome->output;
}

TEST_F(MemoryLimit, AHistogramFileWhoseClassesDoNotFitIsNotLeftBehind) {
    write("h.txt", "an earlier histogram\n");
    const auto outcome = run(three_plants_imported() + "4\n5\n" + path("h.txt") + "\n2147483647\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 1);
    EXPECT_TRUE(ends_with(outcome->output, "\n\nGive name of histogram file: \n\n    " +
                                               std::string(68, '-') +
                                               "\n\n\nGENOTYPE ASSIGNMENT:\nmaximum distance:\t8\n"
                                               "\nGive the number of frequency classes (>1):\n"
                                               "ERROR: frequency classes, more memory needed"))
        << outcome->output;
    EXPECT_FALSE(fs::exists(path("h.txt")));
}

// An FSTAT header may declare far more samples than hold individuals; the AMOVA needs room only
// for the populations that do.
TEST_F(MemoryLimit, AnAmovaNeedsNoRoomForEmptyPopulations) {
    write("sites.dat", "2000000000 1 99 2\nL1\n1 0101\n1 0102\n2 0303\n2 0304\n");
    write("m.txt", "0\n4 4\n4 4 0\n");
    const auto outcome = run(path("sites.dat") + "\n1\n" + path("m.txt") + "\n2\n2\n0\n4\n6\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 0) << outcome->output;
    EXPECT_NE(outcome->output.find("Within pops:     0.00       2         0.00       0.0\n"
                                   "Among pops:      4.00       1         2.00       100.0\n"
                                   "Total:           4.00       3         2.00\n"
                                   "\nPhi-st:        1.000\n"
                                   "\nGive the number of permutations (e.g. 99 or 999)\n"
                                   "\np(greater):  1.0000\n"),
              std::string::npos)
        << outcome->output;
}

// The Marsyl file names every declared population; they are written as they come, so a file
// that cannot take them fails as a write, not as memory.
TEST_F(MemoryLimit, AMarsylFileIsWrittenAsItComes) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no device that fails every write";
    }
    write("sites.dat", "2000000000 1 99 2\nL1\n1 0101\n1 0102\n2 0303\n2 0304\n");
    write("m.txt", "0\n4 4\n4 4 0\n");
    const auto outcome =
        run(path("sites.dat") + "\n1\n" + path("m.txt") + "\n2\n4\n1\n0\n/dev/full\n6\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 0) << outcome->output;
    EXPECT_NE(outcome->output.find("\nGive threshold: \nnumber of genotypes: 2\n"
                                   "\nGive name of Marsyl file: ERROR: Could not write file\n"
                                   "\n    -----"),
              std::string::npos)
        << outcome->output;
    EXPECT_EQ(outcome->output.find("Outputfile written to disk"), std::string::npos);
}

// 14000 individuals take 784 MB of distances, which fit under the limit once but not one and a
// half times: the AMOVA of all individuals reads the matrix as it stands.
TEST_F(MemoryLimit, AnAmovaOfEveryIndividualNeedsNoCopyOfTheDistances) {
    const char* kWords[] = {"100100", "100102", "102104"};
    std::string data = "Many plants\n14000 2 1 2 3\nwest east\n";
    for (int i = 0; i < 14000; ++i) {
        data += std::to_string(1 + i % 2) + " p" + std::to_string(i) + " " + kWords[i % 3] + "\n";
    }
    write("many.txt", data);
    const auto outcome = run(path("many.txt") + "\n2\n1\n2\n0\n4\n6\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 0) << outcome->output.substr(outcome->output.size() - 200);
    EXPECT_NE(outcome->output.find("\nPhi-st:        "), std::string::npos);
    EXPECT_NE(outcome->output.find("\np(greater):  1.0000\n"), std::string::npos);
}

// The limit is real: a run that needs little memory is not disturbed by it.
TEST_F(MemoryLimit, ARunWithinTheMemoryIsUndisturbed) {
    const auto outcome =
        run(three_plants_imported() + "1\n3\n9\n4\n5\n" + path("h.txt") + "\n3\n9\n6\n");
    if (!outcome) {
        GTEST_SKIP() << "no address space limit can be set here";
    }
    EXPECT_EQ(outcome->status, 0);
    EXPECT_TRUE(ends_with(outcome->output, "That's all folks!!\n\n"));
    std::ifstream table(path("h.txt"));
    std::ostringstream text;
    text << table.rdbuf();
    EXPECT_EQ(text.str(),
              "class  \tthresh\t#pairs| #pairs\n"
              "   0\t  0.00\t     0| \n"
              "   1\t  3.00\t     1| *\n"
              "   2\t  6.00\t     1| *\n"
              "   3\t  9.00\t     1| *\n");
}

}  // namespace
}  // namespace kelvane
