// What one run of kelvane's dialogue owns from the reading of the data to the end: the console,
// the marker data set, the distance matrix and the generator.
#pragma once

#include <cstdint>
#include <string>

#include "common/core/random.hpp"
#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::dialogue {

// Menus start from this answer, which is no choice, so a first answer without a number shows
// the menu again.
inline constexpr int32_t kNoChoice = 100;

struct KelvaneRun {
    clonal::Console& console;
    const MarkerData& data;
    DistanceMatrix& matrix;
    clonal::Random random;
    std::string data_file;  // the name the data were read from, which no result may replace
};

}  // namespace kelvane::dialogue
