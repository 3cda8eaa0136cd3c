// Fuzz target: the GenAlEx reader on arbitrary file contents, and the reading of its regions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/core/fatal_error.hpp"
#include "fuzz_format_readers.hpp"
#include "kelvane/data/formats/strata_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::read_and_write([&] {
        return kelvane::read_data_text(kelvane::DataFormat::kGenalex,
                                       std::string(reinterpret_cast<const char*>(data), size), {});
    });
    try {
        kelvane::genalex_regions(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const clonal::FatalError&) {
        // A region block that does not add up ends the run with a message.
    }
    return 0;
}
