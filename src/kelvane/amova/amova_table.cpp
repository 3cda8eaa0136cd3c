// The AMOVA quantities from the sums of pair distances.
#include "kelvane/amova/amova_table.hpp"

namespace kelvane {

AmovaTable amova_table(double total_sum, std::span<const double> within_sums,
                       std::span<const int32_t> group_sizes) {
    int64_t individuals = 0;
    int64_t sum_of_squared_sizes = 0;
    int32_t occupied = 0;
    double ss_within = 0.0;
    for (std::size_t p = 0; p < group_sizes.size(); ++p) {
        const int32_t size = group_sizes[p];
        if (size >= 2) {
            ss_within += within_sums[p] / static_cast<double>(size);
        }
        if (size > 0) {
            ++occupied;
        }
        individuals += size;
        sum_of_squared_sizes += int64_t{size} * size;
    }
    const auto n = static_cast<double>(individuals);
    AmovaTable table;
    table.ss_within = ss_within;
    table.ss_total = total_sum / n;
    table.ss_among = table.ss_total - table.ss_within;
    table.df_within = static_cast<int32_t>(individuals - occupied);
    table.df_among = occupied - 1;
    table.df_total = static_cast<int32_t>(individuals - 1);
    table.sigma2_within = table.ss_within / static_cast<double>(table.df_within);
    const double ms_among = table.ss_among / static_cast<double>(table.df_among);
    const double n_0 =
        (n - static_cast<double>(sum_of_squared_sizes) / n) / static_cast<double>(table.df_among);
    table.sigma2_among = (ms_among - table.sigma2_within) / n_0;
    table.sigma2_total = table.sigma2_among + table.sigma2_within;
    table.phi_st = table.sigma2_among / table.sigma2_total;
    return table;
}

}  // namespace kelvane
