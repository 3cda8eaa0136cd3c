// NOT BUILT YET: the histogram, the AMOVA and the genotype save options. Until each lands, its
// menu choice does nothing and the menu goes on. Each definition here is removed when its
// operation is built in a file of its own.
#include "genotype_operations.hpp"

namespace kelvane {

void distance_histogram(clonal::Console&, const DistanceMatrix&, std::ostream*) {}

int simple_amova(clonal::Console&, clonal::Random&, const DistanceMatrix&,
                 std::span<const int32_t>, int32_t) {
    return 0;
}

bool save_clonal_genotype_file(clonal::Console&, const DistanceMatrix&, const MarkerData&) {
    return true;
}
bool save_genotypes(clonal::Console&, const DistanceMatrix&, const MarkerData&) { return true; }
bool save_all_thresholds(clonal::Console&, const DistanceMatrix&, const MarkerData&) {
    return true;
}
bool save_histogram(clonal::Console&, const DistanceMatrix&) { return true; }

}  // namespace kelvane
