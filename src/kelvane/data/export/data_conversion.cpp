// Writing a data set in the format asked for.
#include "kelvane/data/export/data_conversion.hpp"

#include "common/core/bug_check.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"

namespace kelvane {

bool can_write(DataFormat format) {
    return format_entry(format).write != nullptr;
}

std::vector<std::string> write_data(MarkerData data, DataFormat format, std::ostream& out) {
    CLONAL_BUG_CHECK(can_write(format));
    std::vector<std::string> notes;
    format_entry(format).write(std::move(data), out, notes);
    return notes;
}

}  // namespace kelvane
