// The two files that stay open across analyses: the report file, to which every analysis
// appends, and the permutations file, which the tests fill with every permuted value while the
// user wants it. A write that fails is reported once, when the file is flushed at the end of an
// analysis or closed, instead of passing for success; the file is then taken back to what the
// analyses before wrote completely.
#pragma once

#include <ostream>
#include <string>

#include "common/core/file_io.hpp"
#include "common/dialogue/console.hpp"
#include "common/dialogue/output_file_prompt.hpp"

namespace marsyl::dialogue {

inline constexpr const char* kReportWriteError = "ERROR: Unable to write to output file\n";
inline constexpr const char* kPermutationsWriteError =
    "ERROR: Unable to write to permutations file\n";

class ResultFile {
  public:
    explicit ResultFile(const char* write_error) : write_error_(write_error) {}

    bool is_open() const { return file_.is_open(); }
    const std::string& name() const { return name_; }
    std::ostream& stream() { return file_.stream(); }

    // Whether name refers to the file in use, under any of its names.
    bool holds(const std::string& name) const;

    // Takes over a file just opened; the one in use must have been closed.
    void adopt(clonal::NamedOutputFile&& opened);

    // Makes everything written so far reach the file; a failed write is reported once per file.
    void flush(clonal::Console& console);

    // Closes the file if it is open, reporting a failed write not reported before.
    void close(clonal::Console& console);

  private:
    const char* write_error_;
    std::string name_;
    clonal::OutputFile file_;
    bool failure_reported_ = false;
};

}  // namespace marsyl::dialogue
