// Reading a fuzzed data file and writing what was read.
#include "fuzz_format_readers.hpp"

#include <sstream>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/export/data_conversion.hpp"

namespace fuzzing {

void read_and_write(const std::function<kelvane::DataRead()>& read) {
    try {
        const kelvane::DataRead data = read();
        for (const auto format : {kelvane::DataFormat::kMarker, kelvane::DataFormat::kFstat,
                                  kelvane::DataFormat::kGenalex}) {
            std::ostringstream out;
            kelvane::write_data(data.data, format, out);
        }
    } catch (const clonal::FatalError&) {
        // Bad input ends the run with a message.
    }
}

}  // namespace fuzzing
