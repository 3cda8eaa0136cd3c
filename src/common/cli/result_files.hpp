// Where one run of a command writes its results: every destination is named and checked before
// the work starts, and the results reach their places whole or not at all.
//
// - A file (new, or a regular file behind any links, which are followed and kept) is written
//   under an unpredictable temporary name beside it, created exclusively, and takes its name only
//   when every result of the run is complete; it keeps the permission bits of the file it
//   replaces. An interrupted run (Ctrl-C, SIGTERM, SIGHUP) removes its temporary files.
// - Standard output ("-", /dev/stdout and links to it), standard error and devices (/dev/null, a
//   named pipe) are written into once every file is complete, and before the files take their
//   names, so that a failure there leaves the files as they were. When a run has several results
//   they are held in an unnamed temporary file until then, so that a table on standard output
//   never precedes a failure of another result.
// - Two destinations that are one file (compared by device and inode, or by the resolved path of
//   a file still to be made), or a destination that is one of the run's input files, are a
//   UsageError; an empty name is a UsageError; a place that cannot be written (a folder, a folder
//   that does not exist, no permission) is a DataError naming it.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/cli/command_line.hpp"

namespace clonal::cli {

class ResultFile;

class ResultFiles {
  public:
    // inputs: the files the run reads, which no result may replace (see add_input).
    explicit ResultFiles(const Terminal& terminal, const std::vector<std::string>& inputs = {});
    ~ResultFiles();
    ResultFiles(const ResultFiles&) = delete;
    ResultFiles& operator=(const ResultFiles&) = delete;

    // A file the run reads; a result may not replace it. Names of files that do not exist, and
    // "-", are left to the reader.
    void add_input(const std::string& name);

    // The destination named by option (for messages: "--out"), checked now. The reference stays
    // valid for the life of this object.
    ResultFile& add(std::string_view option, const std::string& name);

    // Every result takes its place: the files are completed, then devices, standard error and
    // standard output written, then the files renamed. A write that failed is a DataError naming
    // the destination; no file of the run is then replaced and no temporary file is left.
    void commit();

  private:
    struct Input;
    const Terminal& terminal_;
    std::vector<Input> inputs_;
    std::vector<std::unique_ptr<ResultFile>> results_;
    bool committed_ = false;
};

// One destination of a run.
class ResultFile {
  public:
    ~ResultFile();
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    std::ostream& stream();
    const std::string& name() const { return name_; }

  private:
    friend class ResultFiles;
    struct Place;
    ResultFile(std::string option, std::string name, const Terminal& terminal);

    std::string option_;
    std::string name_;
    const Terminal& terminal_;
    std::unique_ptr<Place> place_;
};

}  // namespace clonal::cli
