// Reading input files and writing result files: what a write that fails leaves on disk (nothing
// half-written, nothing that was there lost), and files that cannot be opened.
#include "common/core/file_io.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/scratch_folder.hpp"

namespace clonal {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return scratch.path(name); }

    static std::string content(const std::string& name) {
        return testing_support::file_content(name);
    }

    static void write(const std::string& name, const std::string& text) {
        testing_support::write_file(name, text);
    }

    // A write that fails the way a full disk fails it: the stream goes bad.
    static void fail_writing(OutputFile& file) { file.stream().setstate(std::ios::badbit); }

    testing_support::ScratchFolder scratch{"file-io"};
};

// A text is read whole, NUL bytes and all, but a device that gives NUL bytes without end is no
// text and is not read for ever.
TEST_F(FileIo, ATextIsReadWholeAndAnEndlessDeviceIsNot) {
    const std::string text = std::string("a\0b\n") + std::string(70000, 'x') + "\n";
    write(path("t.txt"), text);
    EXPECT_EQ(read_file(path("t.txt")), text);
    EXPECT_EQ(read_file("/dev/zero"), std::nullopt);
    EXPECT_EQ(read_file(path("missing.txt")), std::nullopt);
}

TEST_F(FileIo, AWrittenFileIsKept) {
    OutputFile file;
    ASSERT_TRUE(file.open(path("out.txt"), WriteMode::kReplace));
    file.stream() << "complete\n";
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(content(path("out.txt")), "complete\n");
}

TEST_F(FileIo, AReplacedFileWhoseWritingFailsIsRemoved) {
    write(path("out.txt"), "earlier result\n");
    OutputFile file;
    ASSERT_TRUE(file.open(path("out.txt"), WriteMode::kReplace));
    file.stream() << "half of a res";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    EXPECT_FALSE(fs::exists(path("out.txt")));
}

TEST_F(FileIo, AReplacedFileKeepsWhatWasFlushedBeforeTheFailure) {
    write(path("out.txt"), "earlier result\n");
    OutputFile file;
    ASSERT_TRUE(file.open(path("out.txt"), WriteMode::kReplace));
    file.stream() << "complete part\n";
    EXPECT_TRUE(file.flush());
    file.stream() << "half";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    EXPECT_EQ(content(path("out.txt")), "complete part\n");
}

TEST_F(FileIo, AnAppendedFileIsCutBackToWhatItHeldWhenOpened) {
    write(path("report.txt"), "old report\n");
    OutputFile file;
    ASSERT_TRUE(file.open(path("report.txt"), WriteMode::kAppend));
    file.stream() << "half of a sect";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    EXPECT_EQ(content(path("report.txt")), "old report\n");
}

TEST_F(FileIo, AnAppendedFileKeepsWhatWasFlushedBeforeTheFailure) {
    write(path("report.txt"), "old report\n");
    OutputFile file;
    ASSERT_TRUE(file.open(path("report.txt"), WriteMode::kAppend));
    file.stream() << "complete section\n";
    ASSERT_TRUE(file.flush());
    file.stream() << "half of a sect";
    fail_writing(file);
    EXPECT_FALSE(file.flush());
    EXPECT_EQ(content(path("report.txt")), "old report\ncomplete section\n");
    // Nothing written after the failure reaches the file, not even when it is closed.
    file.stream() << "later section\n";
    EXPECT_FALSE(file.flush());
    EXPECT_FALSE(file.close());
    EXPECT_EQ(content(path("report.txt")), "old report\ncomplete section\n");
}

TEST_F(FileIo, AnAppendedFileThatDidNotExistIsRemovedWhenNothingWasKept) {
    OutputFile file;
    ASSERT_TRUE(file.open(path("report.txt"), WriteMode::kAppend));
    file.stream() << "half";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    EXPECT_FALSE(fs::exists(path("report.txt")));
}

TEST_F(FileIo, AnEmptyFileOpenedForAppendingStaysEmpty) {
    write(path("report.txt"), "");
    OutputFile file;
    ASSERT_TRUE(file.open(path("report.txt"), WriteMode::kAppend));
    file.stream() << "half";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    ASSERT_TRUE(fs::exists(path("report.txt")));
    EXPECT_EQ(content(path("report.txt")), "");
}

TEST_F(FileIo, AFileLeftUnfinishedIsTakenBackLikeAFailedOne) {
    write(path("report.txt"), "old\n");
    {
        OutputFile replaced;
        ASSERT_TRUE(replaced.open(path("table.txt"), WriteMode::kReplace));
        replaced.stream() << "first rows\n";
        OutputFile appended;
        ASSERT_TRUE(appended.open(path("report.txt"), WriteMode::kAppend));
        appended.stream() << "done\n";
        ASSERT_TRUE(appended.flush());
        appended.stream() << "half";
    }
    EXPECT_FALSE(fs::exists(path("table.txt")));
    EXPECT_EQ(content(path("report.txt")), "old\ndone\n");
}

TEST_F(FileIo, AMovedFileIsTakenBackOnlyByItsNewOwner) {
    OutputFile moved;
    {
        OutputFile file;
        ASSERT_TRUE(file.open(path("out.txt"), WriteMode::kReplace));
        file.stream() << "complete\n";
        moved = std::move(file);
    }
    ASSERT_TRUE(moved.is_open());
    EXPECT_TRUE(moved.close());
    EXPECT_EQ(content(path("out.txt")), "complete\n");
}

TEST_F(FileIo, TheFileBehindALinkIsTakenBack) {
    fs::create_symlink(path("target.txt"), path("link.txt"));
    OutputFile file;
    ASSERT_TRUE(file.open(path("link.txt"), WriteMode::kReplace));
    file.stream() << "half";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    EXPECT_FALSE(fs::exists(path("target.txt")));
}

TEST_F(FileIo, ADeviceIsNeverRemoved) {
    OutputFile file;
    ASSERT_TRUE(file.open("/dev/null", WriteMode::kReplace));
    file.stream() << "anything";
    fail_writing(file);
    EXPECT_FALSE(file.close());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(FileIo, TheFullDeviceTakesTheOpeningButNoWrite) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no device that fails every write";
    }
    OutputFile file;
    ASSERT_TRUE(file.open("/dev/full", WriteMode::kReplace));
    file.stream() << "a line\n";
    EXPECT_FALSE(file.flush());
    EXPECT_FALSE(file.close());
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(FileIo, NamesThatCannotBeWrittenAreNotOpened) {
    fs::create_directory(path("folder"));
    OutputFile file;
    EXPECT_FALSE(file.open(path("folder"), WriteMode::kReplace));
    EXPECT_FALSE(file.open(path("folder"), WriteMode::kAppend));
    EXPECT_FALSE(file.open(path("missing/out.txt"), WriteMode::kReplace));
    EXPECT_FALSE(file.open("", WriteMode::kReplace));
    EXPECT_FALSE(file.is_open());
    EXPECT_TRUE(fs::is_directory(path("folder")));
}

TEST_F(FileIo, FilesWithoutPermissionAreNeitherReadNorWritten) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    write(path("locked.txt"), "data\n");
    fs::permissions(path("locked.txt"), fs::perms::none);
    EXPECT_FALSE(read_file(path("locked.txt")).has_value());
    OutputFile file;
    EXPECT_FALSE(file.open(path("locked.txt"), WriteMode::kReplace));
    EXPECT_FALSE(file.open(path("locked.txt"), WriteMode::kAppend));
    fs::permissions(path("locked.txt"), fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(read_file(path("locked.txt")), "data\n");
}

TEST_F(FileIo, InputFilesAreReadWholeOrNotAtAll) {
    write(path("data.txt"), std::string("with\0zero\n", 10));
    EXPECT_EQ(read_file(path("data.txt")), std::string("with\0zero\n", 10));
    write(path("empty.txt"), "");
    EXPECT_EQ(read_file(path("empty.txt")), "");
    EXPECT_FALSE(read_file(path("missing.txt")).has_value());
    fs::create_directory(path("folder"));
    EXPECT_FALSE(read_file(path("folder")).has_value());
    EXPECT_FALSE(read_file("").has_value());
}

}  // namespace
}  // namespace clonal
