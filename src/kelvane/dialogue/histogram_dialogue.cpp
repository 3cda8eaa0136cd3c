// The histogram of the distances in the dialogue.
#include "kelvane/dialogue/histogram_dialogue.hpp"

#include <vector>

#include "common/dialogue/separator.hpp"
#include "kelvane/grouping/histogram.hpp"

namespace kelvane::dialogue {
namespace {

int32_t ask_classes(clonal::Console& console) {
    return console.ask_int_until("\nGive the number of frequency classes (>1):\n", 1,
                                 [](int32_t classes) { return classes >= 2; });
}

int32_t ask_max_distance(clonal::Console& console) {
    return console.ask_int_until("\nGive maximum distance for histogram:\n", 0,
                                 [](int32_t distance) { return distance >= 1; });
}

}  // namespace

void distance_histogram(clonal::Console& console, const DistanceMatrix& matrix, std::ostream* out) {
    std::ostream& table = out == nullptr ? console.out() : *out;
    console.print("\n");
    clonal::print_separator(console.out());
    console.print("\nGENOTYPE ASSIGNMENT:\n");
    console.print("maximum distance:\t%d\n", largest_distance(matrix));
    const int32_t classes = ask_classes(console);
    // The counters are claimed before the maximum distance is asked, so that a number of classes
    // too large for memory ends the run at once.
    std::vector<int64_t> counts = class_counters(classes);
    const int32_t max_distance = ask_max_distance(console);
    console.print("\n");
    const double width = class_width(max_distance, classes);
    tally_distance_classes(matrix, width, counts);
    write_histogram_table(table, counts, width);
}

}  // namespace kelvane::dialogue
