// Mirroring the lower triangle of the distance matrix.
#include "kelvane/distance/pair_loop.hpp"

#include <algorithm>

namespace kelvane {

void mirror_lower_triangle(DistanceMatrix& matrix) {
    // Square blocks keep both the rows read and the columns written in the cache.
    constexpr int kBlock = 64;
    const int n = matrix.size();
    for (int row_start = 0; row_start < n; row_start += kBlock) {
        const int row_end = std::min(n, row_start + kBlock);
        for (int column_start = 0; column_start <= row_start; column_start += kBlock) {
            for (int i = row_start; i < row_end; ++i) {
                const int column_end = std::min(i, column_start + kBlock);
                for (int j = column_start; j < column_end; ++j) {
                    matrix.at(j, i) = matrix.at(i, j);
                }
            }
        }
    }
}

}  // namespace kelvane
