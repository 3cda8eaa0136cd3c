// Temporary files of results not yet complete, removed when the run is interrupted. A run stopped
// by a signal it can catch (Ctrl-C, SIGTERM, SIGHUP of a `timeout` or a closed terminal, SIGQUIT,
// an abort or a crash) removes them before it ends as the signal says; a signal the run was
// started to ignore (nohup) stays ignored.
#pragma once

#include <string>

namespace clonal::cli {

// A write to a closed pipe (`| head`) or beyond the limit of file sizes (`ulimit -f`) fails as a
// write, which the run reports and cleans up after, instead of ending the process by SIGPIPE or
// SIGXFSZ.
void fail_writes_instead_of_signals();

// Registers a path for removal on interruption for as long as it lives.
class PartialFile {
  public:
    explicit PartialFile(const std::string& path);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    // The path is no longer partial (it was renamed or removed).
    void release();

  private:
    int slot_ = -1;
};

}  // namespace clonal::cli
