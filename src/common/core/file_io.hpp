// Files of the programs: an input file is read whole into memory when it is opened, and a result
// file reports whether every byte reached the disk. A result file whose writing failed, or that
// was left unfinished, is taken back, so that no half-written result remains and nothing that
// was in the file before is lost.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace clonal {

// A run of this many NUL bytes is no text: reading stops there.
inline constexpr std::size_t kNulRunLimit = std::size_t{1} << 20;

// The whole content of the named file, or nothing when it cannot be opened and read (a missing
// file, a directory, a file without read permission, or a device that gives NUL bytes without
// end, such as /dev/zero).
std::optional<std::string> read_file(const std::string& name);

// The same, or a FatalError of kind kFile naming the file: "cannot be read".
std::string read_input_file(const std::string& name);

enum class WriteMode { kReplace, kAppend };

// A result file open for writing.
//
// When a write fails (found at the latest when the file is flushed or closed) or the file is
// destroyed without being closed, a regular file is taken back to what was complete: what it
// held when opened for appending, or everything up to the last flush that succeeded (a flush
// marks a complete part, such as one analysis of a report). A file of which nothing is complete
// is removed when it was opened to be replaced or did not exist before. Anything that is not a
// regular file (a device such as /dev/full) is left alone. Nothing written after a failure
// reaches the file.
class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Opens the named file, closing the one in use first; false when it cannot be opened for
    // writing (a directory, a folder that does not exist, no permission).
    bool open(const std::string& name, WriteMode mode);

    // From a successful open until close, also after a failed write.
    bool is_open() const { return state_ != State::kClosed; }
    std::ofstream& stream() { return stream_; }

    // Makes everything written so far reach the file; false when a write has failed so far.
    bool flush();

    // Closes the file; false when any write, the flush or the close failed.
    bool close();

  private:
    enum class State { kClosed, kWriting, kFailed };

    // What a regular file is taken back to.
    struct Restore {
        std::filesystem::path path;  // the file itself, behind any link
        std::uintmax_t kept = 0;     // the size that stays
        bool removable = false;      // replaced or created: removed when nothing of it stays
    };

    // Closes the stream and takes the file back; every later write goes nowhere.
    void take_back();

    std::ofstream stream_;
    State state_ = State::kClosed;
    std::optional<Restore> restore_;
};

}  // namespace clonal
