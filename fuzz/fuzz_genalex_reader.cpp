// Fuzz target: the GenAlEx reader on arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_format_readers.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::read_and_write([&] {
        return kelvane::read_data_text(kelvane::DataFormat::kGenalex,
                                       std::string(reinterpret_cast<const char*>(data), size), {});
    });
    return 0;
}
