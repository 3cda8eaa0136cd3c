// The report and permutations files.
#include "marsyl/dialogue/result_files.hpp"

#include <utility>

#include "common/core/bug_check.hpp"

namespace marsyl::dialogue {

bool ResultFile::holds(const std::string& name) const {
    return file_.is_open() && clonal::same_file(name, name_);
}

void ResultFile::adopt(clonal::NamedOutputFile&& opened) {
    CLONAL_BUG_CHECK(!file_.is_open());
    name_ = std::move(opened.name);
    file_ = std::move(opened.file);
    failure_reported_ = false;
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

}  // namespace marsyl::dialogue
