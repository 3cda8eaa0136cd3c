// A table's p-values corrected for the number of its rows: after each column of p-values, a
// column of the corrected ones, named after it with "_adjusted" ("p" gives "p_adjusted").
#pragma once

#include <string_view>
#include <vector>

#include "common/core/p_adjust.hpp"
#include "common/text/result_table.hpp"

namespace clonal {

// The table with a corrected column after each column named in p_columns; the table itself under
// PAdjustment::kNone. Missing values stay missing and are not counted among the tests.
ResultTable with_adjusted_p(const ResultTable& table, const std::vector<std::string>& p_columns,
                            PAdjustment adjustment);

}  // namespace clonal
