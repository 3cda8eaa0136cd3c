// What one run of kelvane owns from the reading of the data to the end: the console, the marker
// data set, the distance matrix and the generator.
#pragma once

#include "console.hpp"
#include "distance_matrix.hpp"
#include "marker_data.hpp"
#include "random.hpp"

namespace kelvane {

struct KelvaneRun {
    clonal::Console& console;
    const MarkerData& data;
    DistanceMatrix& matrix;
    clonal::Random random;
};

// The three menus, in the order the run passes through them.
void distance_menu(KelvaneRun& run);
void analysis_menu(KelvaneRun& run);
void save_menu(KelvaneRun& run);

}  // namespace kelvane
