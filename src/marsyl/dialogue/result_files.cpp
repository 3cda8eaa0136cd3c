// The report and permutations files.
#include "result_files.hpp"

#include <filesystem>
#include <system_error>

namespace marsyl {

bool ResultFile::holds(const std::string& name) const {
    std::error_code error;
    return file_.is_open() && std::filesystem::equivalent(name, name_, error);
}

bool ResultFile::open(clonal::Console& console, const std::string& name, clonal::WriteMode mode) {
    close(console);
    name_ = name;
    failure_reported_ = false;
    return file_.open(name, mode);
}

void ResultFile::flush(clonal::Console& console) {
    if (!file_.is_open() || file_.flush() || failure_reported_) {
        return;
    }
    failure_reported_ = true;
    console.print("%s", write_error_);
}

void ResultFile::close(clonal::Console& console) {
    if (!file_.is_open()) {
        return;
    }
    if (!file_.close() && !failure_reported_) {
        console.print("%s", write_error_);
    }
}

}  // namespace marsyl
