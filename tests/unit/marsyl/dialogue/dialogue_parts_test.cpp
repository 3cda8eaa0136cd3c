// Parts of the dialogue on a console made of strings: the user's seeds, the question for the
// number of permutations and the permutations file, and result files whose writing fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/core/fatal_error.hpp"
#include "marsyl/core/user_seeds.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"
#include "marsyl/dialogue/permutations_prompt.hpp"
#include "support/scratch_folder.hpp"

namespace marsyl::dialogue {
namespace {

namespace fs = std::filesystem;

TEST(UserSeeds, DecimalRealTruncatedAndHeldInside32Bits) {
    EXPECT_EQ(seed_from_answer("17934.91"), 17934);
    EXPECT_EQ(seed_from_answer("  29076"), 29076);
    EXPECT_EQ(seed_from_answer("8977 seed"), 8977);
    EXPECT_EQ(seed_from_answer("-3.7"), -3);
    EXPECT_EQ(seed_from_answer("+.5e1x"), 5);
    EXPECT_EQ(seed_from_answer("seed 5"), 0);
    EXPECT_EQ(seed_from_answer(""), 0);
    EXPECT_EQ(seed_from_answer("0x1F"), 0);
    EXPECT_EQ(seed_from_answer("2147483647.9"), 2147483647);
    EXPECT_EQ(seed_from_answer("1e10"), 2147483647);
    EXPECT_EQ(seed_from_answer("-1e10"), -2147483647 - 1);
    EXPECT_EQ(seed_from_answer("1e999"), 2147483647);
    EXPECT_EQ(seed_from_answer("-9e999"), -2147483647 - 1);
}

// A run on string streams with its files in a folder of its own.
class DialogueParts : public ::testing::Test {
  protected:
    std::string path(const char* name) const { return scratch.path(name); }

    static std::string content(const std::string& name) {
        return testing_support::file_content(name);
    }

    testing_support::ScratchFolder scratch{"marsyl-dialogue"};
};

TEST_F(DialogueParts, NumberOfPermutationsIsAskedUntilItIsOneOrMore) {
    std::istringstream in("abc\n0\n-3\n\n  7 and more\n");
    std::ostringstream out;
    clonal::Console console(in, out);
    MarsylRun run(console, test_local_time);
    EXPECT_EQ(ask_permutations(run, OfferFile::kNo), 7);
    const std::string prompt = "\nGive the number of permutations: ";
    EXPECT_EQ(out.str(), prompt + prompt + prompt + prompt);
}

TEST_F(DialogueParts, PermutationsFileIsChosenAgainAndClosedOnNo) {
    const std::string first = path("first.txt");
    const std::string second = path("second.txt");
    std::istringstream in("5\nmaybe\ny\n" + path("no/such/folder/p.txt") + "\n" + first +
                          "\n3\nN\n2\nYes\n" + second + "\n");
    std::ostringstream out;
    clonal::Console console(in, out);
    MarsylRun run(console, test_local_time);

    EXPECT_EQ(ask_permutations(run, OfferFile::kYes), 5);
    ASSERT_NE(run.permutations_stream(), nullptr);
    EXPECT_EQ(run.permutations.name(), first);
    *run.permutations_stream() << "kept";
    const std::string question = "\nDo you want to save the permuted values to a file (y/n)?";
    EXPECT_EQ(out.str(), "\nGive the number of permutations: " + question + question +
                             "\nGive name of permutations file: "
                             "ERROR: Unable to write to permutations file\n"
                             "\nGive name of permutations file: ");

    // No: the file is closed with what was written to it, and nothing more goes to a file.
    EXPECT_EQ(ask_permutations(run, OfferFile::kYes), 3);
    EXPECT_EQ(run.permutations_stream(), nullptr);
    EXPECT_EQ(content(first), "kept");

    EXPECT_EQ(ask_permutations(run, OfferFile::kYes), 2);
    EXPECT_EQ(run.permutations.name(), second);
    EXPECT_NE(run.permutations_stream(), nullptr);
    // Without the offer the file stays as it is.
    std::istringstream more("4\n");
    clonal::Console other(more, out);
    MarsylRun jackknife_run(other, test_local_time);
    EXPECT_EQ(ask_permutations(jackknife_run, OfferFile::kNo), 4);
}

TEST_F(DialogueParts, EndOfInputAtTheQuestionEndsTheRun) {
    std::istringstream in("\n  \n");
    std::ostringstream out;
    clonal::Console console(in, out);
    MarsylRun run(console, test_local_time);
    EXPECT_THROW(ask_permutations(run, OfferFile::kNo), clonal::FatalError);
}

// Opens the named file into a result file, as the file prompts do.
bool open(ResultFile& result, const std::string& name, clonal::WriteMode mode) {
    clonal::NamedOutputFile opened{name, {}};
    if (!opened.file.open(name, mode)) {
        return false;
    }
    result.adopt(std::move(opened));
    return true;
}

// The full device of the system takes the opening of a file but none of its bytes.
TEST_F(DialogueParts, FailedWritesOfTheReportAreReportedOnce) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no device that fails every write";
    }
    std::istringstream in;
    std::ostringstream out;
    clonal::Console console(in, out);
    ResultFile report(kReportWriteError);
    ASSERT_TRUE(open(report, "/dev/full", clonal::WriteMode::kAppend));
    report.stream() << std::string(100000, 'x');
    report.flush(console);
    report.flush(console);
    report.close(console);
    EXPECT_EQ(out.str(), "ERROR: Unable to write to output file\n");

    ResultFile permutations(kPermutationsWriteError);
    ASSERT_TRUE(open(permutations, "/dev/full", clonal::WriteMode::kReplace));
    permutations.stream() << "1.000000\n";
    permutations.close(console);
    EXPECT_EQ(out.str(),
              "ERROR: Unable to write to output file\n"
              "ERROR: Unable to write to permutations file\n");
}

TEST_F(DialogueParts, AResultFileKnowsItsFileUnderAnyName) {
    std::istringstream in;
    std::ostringstream out;
    clonal::Console console(in, out);
    ResultFile report(kReportWriteError);
    EXPECT_FALSE(report.holds(path("report.txt")));
    ASSERT_TRUE(open(report, path("report.txt"), clonal::WriteMode::kAppend));
    EXPECT_TRUE(report.holds(path("report.txt")));
    EXPECT_TRUE(
        report.holds((fs::path(path("report.txt")).parent_path() / "." / "report.txt").string()));
    EXPECT_FALSE(report.holds(path("other.txt")));
    report.close(console);
    EXPECT_FALSE(report.holds(path("report.txt")));
}

TEST_F(DialogueParts, WrittenFilesReportNothing) {
    std::istringstream in;
    std::ostringstream out;
    clonal::Console console(in, out);
    ResultFile report(kReportWriteError);
    ASSERT_TRUE(open(report, path("report.txt"), clonal::WriteMode::kAppend));
    report.stream() << "line\n";
    report.flush(console);
    report.close(console);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(content(path("report.txt")), "line\n");
}

}  // namespace
}  // namespace marsyl::dialogue
