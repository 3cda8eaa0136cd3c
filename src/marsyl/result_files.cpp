// The report and permutations files.
#include "result_files.hpp"

namespace marsyl {

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
