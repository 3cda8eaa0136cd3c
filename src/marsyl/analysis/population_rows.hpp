// Tables with a row per population and a last row for all of them pooled: the name each row
// starts with.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/core/clonal_genotype_file.hpp"

namespace marsyl {

inline constexpr std::string_view kTotalRow = "total";

// Row 0 to P - 1 is population 1 to P, row P the total.
inline std::string_view population_row_name(const clonal::ClonalData& data, std::size_t row) {
    return row < static_cast<std::size_t>(data.populations) ? std::string_view(data.names[row + 1])
                                                            : kTotalRow;
}

}  // namespace marsyl
