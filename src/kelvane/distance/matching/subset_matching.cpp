// The best matching of a few copies over the sets of used columns, for tables of any size up to
// the programme's.
#include "kelvane/distance/matching/subset_matching.hpp"

#include "common/core/bug_check.hpp"
#include "kelvane/distance/matching/best_matching.hpp"

namespace kelvane {
namespace {

template <int K>
double best_sum(const CostTable& costs) {
    return subset_matching_sum_of<K>([&costs](int x, int y) { return costs.at(x, y); });
}

}  // namespace

static_assert(kSubsetMatchingCopies == 8, "one case below for every copy count taken");

double subset_matching_sum(const CostTable& costs, int k) {
    switch (k) {
        case 0:
            return 0.0;
        case 1:
            return best_sum<1>(costs);
        case 2:
            return best_sum<2>(costs);
        case 3:
            return best_sum<3>(costs);
        case 4:
            return best_sum<4>(costs);
        case 5:
            return best_sum<5>(costs);
        case 6:
            return best_sum<6>(costs);
        case 7:
            return best_sum<7>(costs);
        case 8:
            return best_sum<8>(costs);
        default:
            break;
    }
    clonal::bug_check_failed("a copy count the programme takes", __FILE__, __LINE__);
}

}  // namespace kelvane
