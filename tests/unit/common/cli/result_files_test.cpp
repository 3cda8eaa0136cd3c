// Results written in full or not at all, to the place the user meant: a run that fails leaves
// every file as it was and no temporary file behind; links are followed, not replaced; two results
// or a result and an input that are one file are refused before any work.
#include "common/cli/result_files.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "common/cli/cli_errors.hpp"
#include "common/cli/partial_files.hpp"
#include "support/scratch_folder.hpp"

namespace clonal::cli {
namespace {

namespace fs = std::filesystem;

std::size_t files_in(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

struct Console {
    std::ostringstream out;
    std::ostringstream err;
    Terminal terminal{out, err, false};
};

TEST(ResultFiles, AFileTakesItsNameOnlyWhenEveryResultIsComplete) {
    const testing_support::ScratchFolder scratch("result-files");
    scratch.write("table.tsv", "old\n");
    ::chmod(scratch.path("table.tsv").c_str(), 0640);
    Console console;
    {
        ResultFiles unfinished(console.terminal);
        unfinished.add("--out", scratch.path("table.tsv")).stream() << "half a table";
        EXPECT_EQ(scratch.content("table.tsv"), "old\n");
    }
    EXPECT_EQ(scratch.content("table.tsv"), "old\n");
    EXPECT_EQ(files_in(scratch.folder()), 1u);
    {
        ResultFiles finished(console.terminal);
        ResultFile& table = finished.add("--out", scratch.path("table.tsv"));
        ResultFile& figure = finished.add("--svg", scratch.path("figure.svg"));
        ResultFile& standard = finished.add("--genotypes", "-");
        table.stream() << "new\n";
        figure.stream() << "<svg/>\n";
        standard.stream() << "row\n";
        // Standard output is held until every file is complete.
        EXPECT_EQ(console.out.str(), "");
        finished.commit();
    }
    EXPECT_EQ(scratch.content("table.tsv"), "new\n");
    EXPECT_EQ(scratch.content("figure.svg"), "<svg/>\n");
    EXPECT_EQ(console.out.str(), "row\n");
    EXPECT_EQ(files_in(scratch.folder()), 2u);
    // The replaced file keeps its permission bits.
    struct stat info {};
    ASSERT_EQ(::stat(scratch.path("table.tsv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(ResultFiles, AFailedResultLeavesEveryOtherAsItWas) {
    const testing_support::ScratchFolder scratch("result-files-fail");
    scratch.write("table.tsv", "old\n");
    Console console;
    {
        ResultFiles files(console.terminal);
        ResultFile& table = files.add("--out", scratch.path("table.tsv"));
        ResultFile& full = files.add("--svg", "/dev/full");
        ResultFile& standard = files.add("--genotypes", "-");
        table.stream() << "new\n";
        full.stream() << "<svg/>\n";
        standard.stream() << "row\n";
        EXPECT_THROW(files.commit(), DataError);
    }
    EXPECT_EQ(scratch.content("table.tsv"), "old\n");
    EXPECT_EQ(console.out.str(), "");
    EXPECT_EQ(files_in(scratch.folder()), 1u);
    // A place that cannot be written is found before any work.
    ResultFiles files(console.terminal);
    files.add("--out", scratch.path("a.tsv"));
    EXPECT_THROW(files.add("--svg", scratch.path("no/such/folder.svg")), DataError);
    EXPECT_THROW(files.add("--svg", scratch.folder().string()), DataError);
    EXPECT_THROW(files.add("--html", ""), UsageError);
}

// A link is followed and kept: the file it points to is replaced, and a link to standard output
// (as /dev/stdout is one) writes into standard output.
TEST(ResultFiles, LinksAreFollowed) {
    const testing_support::ScratchFolder scratch("result-files-links");
    fs::create_directory(scratch.path("real"));
    scratch.write("real/table.tsv", "old\n");
    fs::create_symlink("real/table.tsv", scratch.path("link.tsv"));
    fs::create_symlink("/dev/stdout", scratch.path("out.tsv"));
    fs::create_symlink("/dev/null", scratch.path("nothing.tsv"));
    Console console;
    ResultFiles files(console.terminal);
    ResultFile& table = files.add("--out", scratch.path("link.tsv"));
    ResultFile& figure = files.add("--svg", scratch.path("out.tsv"));
    ResultFile& nothing = files.add("--clonal", scratch.path("nothing.tsv"));
    table.stream() << "new\n";
    figure.stream() << "<svg/>\n";
    nothing.stream() << "gone\n";
    files.commit();
    EXPECT_TRUE(fs::is_symlink(scratch.path("link.tsv")));
    EXPECT_TRUE(fs::is_symlink(scratch.path("out.tsv")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(scratch.content("real/table.tsv"), "new\n");
    EXPECT_EQ(console.out.str(), "<svg/>\n");
    EXPECT_EQ(files_in(scratch.path("real")), 1u);
}

TEST(ResultFiles, OneFileNamedTwiceIsRefusedBeforeAnyWork) {
    const testing_support::ScratchFolder scratch("result-files-same");
    scratch.write("data.txt", "data\n");
    scratch.write("h.tsv", "old\n");
    fs::create_symlink("h.tsv", scratch.path("link.tsv"));
    fs::create_hard_link(scratch.path("h.tsv"), scratch.path("hard.tsv"));
    Console console;
    const auto refused = [&](const std::string& first, const std::string& second) {
        ResultFiles files(console.terminal, {scratch.path("data.txt")});
        files.add("--out", first);
        try {
            files.add("--svg", second);
        } catch (const UsageError&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused(scratch.path("h.tsv"), scratch.folder().string() + "/./h.tsv"));
    EXPECT_TRUE(refused(scratch.path("h.tsv"), scratch.path("link.tsv")));
    EXPECT_TRUE(refused(scratch.path("h.tsv"), scratch.path("hard.tsv")));
    EXPECT_TRUE(refused(
        scratch.path("new.tsv"),
        scratch.folder().string() + "/../" + scratch.folder().filename().string() + "/new.tsv"));
    EXPECT_TRUE(refused("-", "/dev/stdout"));
    EXPECT_TRUE(refused(scratch.path("h.tsv"), scratch.path("data.txt")));
    EXPECT_FALSE(refused(scratch.path("h.tsv"), scratch.path("other.tsv")));
    EXPECT_FALSE(refused("/dev/null", "/dev/null"));
    EXPECT_EQ(scratch.content("h.tsv"), "old\n");
    EXPECT_EQ(files_in(scratch.folder()), 4u);
}

// The temporary name is unpredictable and created exclusively: a link planted at the name the
// process id would give is never followed. An interruption removes the temporary file.
TEST(ResultFiles, TemporaryFilesCannotBeHijackedAndGoWithAnInterruption) {
    const testing_support::ScratchFolder scratch("result-files-temporary");
    scratch.write("victim.txt", "keep\n");
    fs::create_symlink(scratch.path("victim.txt"),
                       scratch.path(".t.tsv.partial-" + std::to_string(getpid())));
    Console console;
    {
        ResultFiles files(console.terminal);
        files.add("--out", scratch.path("t.tsv")).stream() << "table\n";
        files.commit();
    }
    EXPECT_EQ(scratch.content("victim.txt"), "keep\n");
    EXPECT_EQ(scratch.content("t.tsv"), "table\n");

    // Every way a run can end that a process can catch: interruptions, a quit, an abort.
    for (const int signal_number : {SIGTERM, SIGINT, SIGQUIT, SIGABRT}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ResultFiles files(console.terminal);
            files.add("--out", scratch.path("big.tsv")).stream() << "rows\n";
            std::raise(signal_number);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << signal_number;
        EXPECT_EQ(files_in(scratch.folder()), 3u);  // the victim, its link and t.tsv
        EXPECT_FALSE(fs::exists(scratch.path("big.tsv")));
    }
    // A file beyond the limit of file sizes fails as a write, reported, with nothing left.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        clonal::cli::fail_writes_instead_of_signals();
        const rlimit small{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &small);
        try {
            ResultFiles files(console.terminal);
            files.add("--out", scratch.path("big.tsv")).stream() << std::string(100000, 'x');
            files.commit();
        } catch (const DataError& error) {
            _exit(std::string(error.what()).find("File too large") != std::string::npos ? 3 : 4);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
    EXPECT_EQ(files_in(scratch.folder()), 3u);
}

// The library's errors are sentences: the command line puts them on one line, names the setting by
// its option and adds the file, line and column.
TEST(CliErrors, LibraryErrorsBecomeOneLineWithTheirOptionAndPlace) {
    EXPECT_EQ(one_line("\n unexpected end\r\nof input\n"), "unexpected end of input");
    EXPECT_EQ(
        sentence_of(InputError("each individual takes 2 rows ({setting})", 3, 0, "structure_rows")),
        "each individual takes 2 rows (--structure-rows)");
    EXPECT_EQ(file_error("d.txt", InputError("input file error, individual 2, locus 1", 4)).what(),
              std::string("input file error, individual 2, locus 1, d.txt line 4"));
    EXPECT_EQ(file_error("d.str", InputError("'b' here", 4, 7)).what(),
              std::string("'b' here, d.str line 4 column 7"));
    FatalError unreadable("cannot be read", ErrorKind::kFile);
    EXPECT_EQ(message_of(unreadable.in_file("x.txt")), "x.txt: cannot be read");
    FatalError advised("the number of loci is missing");
    advised.in_file("s.txt").at(2).advised(
        "(the file looks like a genalex file: give {format} "
        "genalex)");
    EXPECT_EQ(message_of(advised),
              "the number of loci is missing, s.txt line 2 (the file looks like a genalex file: "
              "give --format genalex)");
}

}  // namespace
}  // namespace clonal::cli
