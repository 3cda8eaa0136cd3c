// The quantities of a one-level AMOVA computed from the sums of pair distances: sums of squares,
// degrees of freedom, variance components and Phi-st.
#pragma once

#include <cstdint>
#include <span>

namespace kelvane {

struct AmovaTable {
    double ss_within = 0.0;
    double ss_among = 0.0;
    double ss_total = 0.0;
    int32_t df_within = 0;
    int32_t df_among = 0;
    int32_t df_total = 0;
    double sigma2_within = 0.0;
    double sigma2_among = 0.0;
    double sigma2_total = 0.0;
    double phi_st = 0.0;
};

// total_sum: the sum of the distances of all pairs of the sample; within_sums and group_sizes:
// the sum of the distances of the pairs inside each occupied population and its size, in
// population order. Every operation in the order of the definition, so that equal sums give
// bit-identical results.
AmovaTable amova_table(double total_sum, std::span<const double> within_sums,
                       std::span<const int32_t> group_sizes);

}  // namespace kelvane
