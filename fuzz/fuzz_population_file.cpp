// Fuzz target: the populations file (sample and population per line), the strata file (a
// header, then a name and a group per level per line, resolved into a design of all its levels)
// and the coordinates file (plane and geographic), applied to a small data set whose individuals
// have names the fuzzer is likely to write.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/core/fatal_error.hpp"
#include "kelvane/amova/hierarchy.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/population_file.hpp"
#include "kelvane/data/formats/strata_file.hpp"
#include "kelvane/spatial/coordinates.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kelvane::MarkerData plants =
        kelvane::read_data_text(kelvane::DataFormat::kMarker,
                                "t\n3 1 1 2 1\nP\n1 a 12\n1 b 11\n1 s1 22\n", {})
            .data;
    const std::string content(reinterpret_cast<const char*>(data), size);
    kelvane::MarkerData copy = plants;
    try {
        kelvane::assign_populations(copy, content);
    } catch (const clonal::FatalError&) {
        // Bad input ends the run with a message.
    }
    try {
        const kelvane::Strata strata = kelvane::read_strata(content, plants.ind_names);
        std::vector<std::string> levels = strata.levels;
        levels.emplace_back(kelvane::kPopulationLevel);
        const kelvane::Hierarchy hierarchy =
            kelvane::resolve_hierarchy(plants, {levels, &strata, false});
        const kelvane::NestedDesign design = kelvane::nested_design(hierarchy.labels);
        kelvane::lowest_group_names(hierarchy, design);
    } catch (const clonal::FatalError&) {
    }
    for (const bool geographic : {false, true}) {
        try {
            const kelvane::Coordinates places =
                kelvane::read_coordinates(content, plants.ind_names, geographic);
            for (int i = 0; i < places.size(); ++i) {
                if (places.given(i) && places.given(0)) {
                    places.distance(i, 0);
                }
            }
        } catch (const clonal::FatalError&) {
        }
    }
    return 0;
}
