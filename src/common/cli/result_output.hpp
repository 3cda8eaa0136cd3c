// Where a command writes a result: standard output, or a file that is written in full or not at
// all. A file is written under a temporary name beside it and takes its own name only once every
// byte has reached the disk, so a failed run leaves nothing partial and loses nothing that was
// there before. A device or a pipe (/dev/null, /dev/stdout) is written into directly.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "common/core/file_io.hpp"

namespace clonal::cli {

class ResultOutput {
  public:
    // name: a file, or "-" for standard output. A file that cannot be created is a DataError
    // naming it.
    ResultOutput(const std::string& name, std::ostream& standard_output);
    ~ResultOutput();
    ResultOutput(const ResultOutput&) = delete;
    ResultOutput& operator=(const ResultOutput&) = delete;

    std::ostream& stream();

    // Finishes the result: the file takes its name, or standard output is flushed. A write that
    // failed is a DataError naming the file.
    void commit();

  private:
    std::string name_;
    std::ostream* standard_output_ = nullptr;
    std::filesystem::path temporary_;
    OutputFile file_;
    bool committed_ = false;
};

}  // namespace clonal::cli
