// The file prompts of both programs given files they may not read or write: the name is asked
// again. Permissions do not stop the superuser, so those tests skip themselves when run as root.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/core/fatal_error.hpp"
#include "common/dialogue/input_file_prompt.hpp"
#include "common/dialogue/output_file_prompt.hpp"
#include "support/scratch_folder.hpp"

namespace clonal {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWriteError = "ERROR: Could not write file\n";

class FilePrompts : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return scratch.path(name); }

    void write(const std::string& name, const std::string& text) const {
        scratch.write(name, text);
    }

    static bool superuser() { return geteuid() == 0; }

    testing_support::ScratchFolder scratch{"file-prompts"};
};

TEST_F(FilePrompts, AnInputFileWithoutReadPermissionIsAskedForAgain) {
    if (superuser()) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    write("locked.txt", "locked\n");
    write("open.txt", "open\n");
    fs::permissions(path("locked.txt"), fs::perms::none);
    std::istringstream in(path("locked.txt") + "\n" + path("open.txt") + "\n");
    std::ostringstream out;
    Console console(in, out);
    const InputFile input = open_input_file(console, AfterOffer::kLineEnd);
    EXPECT_EQ(input.name, path("open.txt"));
    EXPECT_EQ(input.content, "open\n");
    EXPECT_EQ(out.str(),
              "\n\nGive name of input file: ERROR: Could not open input-file\n"
              "\n\nGive name of input file: ");
}

TEST_F(FilePrompts, AResultFileWithoutWritePermissionIsAskedForAgain) {
    if (superuser()) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    write("locked.txt", "kept\n");
    fs::permissions(path("locked.txt"), fs::perms::owner_read);
    fs::create_directory(path("locked"));
    fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    std::istringstream in(path("locked.txt") + "\n" + path("locked/new.txt") + "\n" +
                          path("out.txt") + "\n");
    std::ostringstream out;
    Console console(in, out);
    NamedOutputFile output = ask_output_file(console, "\nName: ", kWriteError, WriteMode::kReplace);
    EXPECT_EQ(output.name, path("out.txt"));
    EXPECT_TRUE(output.file.close());
    EXPECT_EQ(out.str(),
              std::string("\nName: ") + kWriteError + "\nName: " + kWriteError + "\nName: ");
    std::ifstream kept(path("locked.txt"));
    std::string line;
    std::getline(kept, line);
    EXPECT_EQ(line, "kept");
    EXPECT_FALSE(fs::exists(path("locked/new.txt")));
}

TEST_F(FilePrompts, AFailedWriteIsReportedAndTheFileTakenBack) {
    std::istringstream in(path("out.txt") + "\n");
    std::ostringstream out;
    Console console(in, out);
    NamedOutputFile output = ask_output_file(console, "\nName: ", kWriteError, WriteMode::kReplace);
    output.file.stream() << "half";
    output.file.stream().setstate(std::ios::badbit);
    EXPECT_FALSE(close_reporting_failure(output.file, console, kWriteError));
    EXPECT_EQ(out.str(), std::string("\nName: ") + kWriteError);
    EXPECT_FALSE(fs::exists(path("out.txt")));
}

TEST_F(FilePrompts, AWrittenFileIsNotReported) {
    std::istringstream in(path("out.txt") + "\n");
    std::ostringstream out;
    Console console(in, out);
    NamedOutputFile output = ask_output_file(console, "\nName: ", kWriteError, WriteMode::kReplace);
    output.file.stream() << "whole\n";
    EXPECT_TRUE(close_reporting_failure(output.file, console, kWriteError));
    EXPECT_EQ(out.str(), "\nName: ");
    EXPECT_TRUE(fs::exists(path("out.txt")));
}

TEST_F(FilePrompts, TheAnswersEndingAtTheResultFilePromptEndTheRun) {
    std::istringstream in("");
    std::ostringstream out;
    Console console(in, out);
    EXPECT_THROW(ask_output_file(console, "\nName: ", kWriteError, WriteMode::kReplace),
                 FatalError);
}

}  // namespace
}  // namespace clonal
