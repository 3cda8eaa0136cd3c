// Results written in full or not at all: a run that fails before it finishes leaves the file as
// it was and no temporary file behind.
#include "common/cli/result_output.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "common/cli/cli_errors.hpp"
#include "support/scratch_folder.hpp"

namespace clonal::cli {
namespace {

std::size_t files_in(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(ResultOutput, AFileTakesItsNameOnlyWhenTheResultIsComplete) {
    const testing_support::ScratchFolder scratch("result-output");
    const std::string name = scratch.path("table.tsv");
    scratch.write("table.tsv", "old\n");
    std::ostringstream standard_output;
    {
        ResultOutput unfinished(name, standard_output);
        unfinished.stream() << "half a table";
        EXPECT_EQ(scratch.content("table.tsv"), "old\n");
    }
    EXPECT_EQ(scratch.content("table.tsv"), "old\n");
    EXPECT_EQ(files_in(scratch.folder()), 1u);
    {
        ResultOutput finished(name, standard_output);
        finished.stream() << "new\n";
        finished.commit();
    }
    EXPECT_EQ(scratch.content("table.tsv"), "new\n");
    EXPECT_EQ(files_in(scratch.folder()), 1u);
    EXPECT_EQ(standard_output.str(), "");

    ResultOutput to_standard_output("-", standard_output);
    to_standard_output.stream() << "row\n";
    to_standard_output.commit();
    EXPECT_EQ(standard_output.str(), "row\n");
    EXPECT_THROW(ResultOutput(scratch.path("no/such/folder.tsv"), standard_output), DataError);
    // A device is written as it is, never replaced by a file.
    {
        ResultOutput device("/dev/null", standard_output);
        device.stream() << "discarded\n";
        device.commit();
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_THROW(ResultOutput(scratch.path(""), standard_output), DataError);
}

// A device is written into, never replaced: reached through a link here, so that a failure
// replaces the link and not the device.
TEST(ResultOutput, ADeviceIsWrittenIntoAndKept) {
    const testing_support::ScratchFolder scratch("result-output-device");
    const std::filesystem::path link = scratch.path("nothing.tsv");
    std::filesystem::create_symlink("/dev/null", link);
    std::ostringstream standard_output;
    ResultOutput output(link.string(), standard_output);
    output.stream() << "a table\n";
    output.commit();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::is_character_file(link));
    EXPECT_EQ(files_in(scratch.folder()), 1u);
}

TEST(CliErrors, CoreMessagesBecomeOneLine) {
    EXPECT_EQ(one_line("\nERROR: unexpected end of input\n"), "unexpected end of input");
    EXPECT_EQ(one_line("ERROR in establishing number of individuals"),
              "in establishing number of individuals");
    EXPECT_EQ(one_line("cut_matrix, out of memory\n"), "cut_matrix, out of memory");
    EXPECT_EQ(
        file_error("d.txt", InputError("ERROR: input file error, individual 2, locus 1", 4)).what(),
        std::string("input file error, individual 2, locus 1, d.txt line 4"));
}

}  // namespace
}  // namespace clonal::cli
