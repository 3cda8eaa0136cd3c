// Files of the programs: an input file is read whole into memory when it is opened, and a result
// file reports, when it is closed, whether every byte reached the disk.
#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace clonal {

// The whole content of the named file, or nothing when it cannot be opened and read (a missing
// file, a directory, a file without read permission).
std::optional<std::string> read_file(const std::string& name);

enum class WriteMode { kReplace, kAppend };

// A result file open for writing.
class OutputFile {
public:
    // Opens the named file; false when it cannot be opened for writing.
    bool open(const std::string& name, WriteMode mode);

    bool is_open() const { return stream_.is_open(); }
    std::ofstream& stream() { return stream_; }

    // Flushes what is buffered; false when a write has failed so far.
    bool flush();

    // Closes the file; false when any write, the flush or the close failed.
    bool close();

private:
    std::ofstream stream_;
};

}  // namespace clonal
