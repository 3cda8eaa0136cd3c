// Temporary files of results not yet complete, removed when the run is interrupted. A run stopped
// by Ctrl-C, SIGTERM or SIGHUP (a `timeout`, a closed terminal) removes them before it ends as the
// signal says; a signal the run was started to ignore (nohup) stays ignored.
#pragma once

#include <string>

namespace clonal::cli {

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
