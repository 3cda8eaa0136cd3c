// Writing a data set in the format asked for.
#include "kelvane/data/export/data_conversion.hpp"

#include "common/core/bug_check.hpp"
#include "kelvane/data/export/allele_codes.hpp"
#include "kelvane/data/export/fstat_file_writer.hpp"
#include "kelvane/data/export/genalex_writer.hpp"
#include "kelvane/data/export/marker_table_writer.hpp"

namespace kelvane {

bool can_write(DataFormat format) {
    return format == DataFormat::kMarker || format == DataFormat::kFstat ||
           format == DataFormat::kGenalex;
}

int32_t most_digits(DataFormat format) {
    return format == DataFormat::kFstat ? 3 : 9;
}

std::vector<std::string> write_data(MarkerData data, DataFormat format, std::ostream& out) {
    CLONAL_BUG_CHECK(can_write(format));
    std::vector<std::string> notes;
    if (format == DataFormat::kGenalex) {
        write_genalex(data, out, notes);
        return notes;
    }
    const int32_t digits = fit_allele_codes(data, most_digits(format), notes);
    if (format == DataFormat::kFstat) {
        write_fstat_file(data, digits, out, notes);
    } else {
        write_marker_table(data, digits, out, notes);
    }
    return notes;
}

}  // namespace kelvane
