// Results written in full or not at all.
#include "common/cli/result_output.hpp"

#include <unistd.h>

#include <system_error>

#include "common/cli/cli_errors.hpp"

namespace clonal::cli {

namespace fs = std::filesystem;

ResultOutput::ResultOutput(const std::string& name, std::ostream& standard_output) : name_(name) {
    if (name == "-") {
        standard_output_ = &standard_output;
        return;
    }
    std::error_code error;
    if (name.empty() || fs::is_directory(name, error)) {
        throw DataError(name + ": cannot write a result here");
    }
    // A device or a pipe (/dev/null, /dev/stdout, a FIFO) is written into as it is: it holds
    // nothing to keep, and a file renamed over it would destroy it.
    const fs::file_status status = fs::status(name, error);
    if (!error && fs::exists(status) && !fs::is_regular_file(status)) {
        if (!file_.open(name, WriteMode::kReplace)) {
            throw DataError(name + ": cannot be written");
        }
        return;
    }
    const fs::path path(name);
    // Hidden beside the result, and owned by this process.
    std::string hidden(1, '.');
    hidden += path.filename().string();
    hidden += ".partial-";
    hidden += std::to_string(static_cast<long>(getpid()));
    temporary_ = path.parent_path() / hidden;
    if (!file_.open(temporary_.string(), WriteMode::kReplace)) {
        throw DataError(name + ": cannot be written");
    }
}

ResultOutput::~ResultOutput() {
    if (!committed_ && !temporary_.empty()) {
        file_.close();
        std::error_code error;
        fs::remove(temporary_, error);
    }
}

std::ostream& ResultOutput::stream() {
    return standard_output_ != nullptr ? *standard_output_ : file_.stream();
}

void ResultOutput::commit() {
    if (standard_output_ != nullptr) {
        standard_output_->flush();
        if (!standard_output_->good()) {
            throw DataError("standard output could not be written");
        }
        committed_ = true;
        return;
    }
    if (!file_.close()) {
        throw DataError(name_ + ": could not be written");
    }
    if (temporary_.empty()) {
        committed_ = true;
        return;
    }
    std::error_code error;
    fs::rename(temporary_, name_, error);
    if (error) {
        throw DataError(name_ + ": could not be written (" + error.message() + ")");
    }
    committed_ = true;
}

}  // namespace clonal::cli
