// Fuzz target: the marker data file reader on arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/marker_table_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        kelvane::read_marker_table(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const clonal::FatalError&) {
        // Bad input ends the run with a message; that is the expected outcome.
    }
    return 0;
}
