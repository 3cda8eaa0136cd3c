// Fuzz target: the GenAlEx reader on arbitrary file contents, and the reading of its regions and
// of its coordinates.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "fuzz_format_readers.hpp"
#include "kelvane/data/formats/strata_file.hpp"
#include "kelvane/spatial/coordinates.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::read_and_write([&] {
        return kelvane::read_data_text(kelvane::DataFormat::kGenalex,
                                       std::string(reinterpret_cast<const char*>(data), size), {});
    });
    const std::string content(reinterpret_cast<const char*>(data), size);
    try {
        kelvane::genalex_regions(content);
    } catch (const clonal::FatalError&) {
        // A region block that does not add up ends the run with a message.
    }
    try {
        static const std::vector<std::string> names{"a", "b", "c"};
        kelvane::genalex_coordinates(content, names, true);
    } catch (const clonal::FatalError&) {
    }
    return 0;
}
