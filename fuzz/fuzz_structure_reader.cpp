// Fuzz target: the STRUCTURE reader on arbitrary file contents, its layout settings taken from
// the first byte (rows per individual, header, leading columns, ploidy).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_format_readers.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    using kelvane::StructureColumn;
    const uint8_t layout = data[0];
    kelvane::FormatSettings settings;
    settings.structure_rows = 1 + (layout & 3);
    settings.structure_header = (layout & 4) != 0;
    switch ((layout >> 3) & 3) {
        case 0:
            break;  // label, population
        case 1:
            settings.structure_columns = {StructureColumn::kLabel};
            break;
        case 2:
            settings.structure_columns = {};
            break;
        default:
            settings.structure_columns = {StructureColumn::kSkip, StructureColumn::kPopulation,
                                          StructureColumn::kLabel};
            break;
    }
    settings.ploidy = 1 + ((layout >> 5) & 3);
    fuzzing::read_and_write([&] {
        return kelvane::read_data_text(
            kelvane::DataFormat::kStructure,
            std::string(reinterpret_cast<const char*>(data) + 1, size - 1), settings);
    });
    return 0;
}
