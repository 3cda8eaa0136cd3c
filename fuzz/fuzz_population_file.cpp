// Fuzz target: the populations file (sample and population per line) applied to a small data
// set whose individuals have names the fuzzer is likely to write.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/population_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kelvane::MarkerData plants =
        kelvane::read_data_text(kelvane::DataFormat::kMarker,
                                "t\n3 1 1 2 1\nP\n1 a 12\n1 b 11\n1 s1 22\n", {})
            .data;
    kelvane::MarkerData copy = plants;
    try {
        kelvane::assign_populations(copy, std::string(reinterpret_cast<const char*>(data), size));
    } catch (const clonal::FatalError&) {
        // Bad input ends the run with a message.
    }
    return 0;
}
