// Fuzz target: the VCF and BCF reader (through htslib) on arbitrary file contents, written to a
// file of the target's own, with the call-rate filter taken from the first byte.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_format_readers.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    static const std::string file = (std::filesystem::temp_directory_path() /
                                     ("fuzz_vcf_reader_" + std::to_string(getpid()) + ".vcf"))
                                        .string();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data) + 1, static_cast<std::streamsize>(size - 1));
    }
    kelvane::FormatSettings settings;
    settings.min_call_rate = data[0] / 255.0;
    fuzzing::read_and_write(
        [&] { return kelvane::read_data_path(kelvane::DataFormat::kVcf, file, settings, 0); });
    return 0;
}
