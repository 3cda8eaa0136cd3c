// Corrected p-value columns.
#include "common/text/adjusted_p_columns.hpp"

#include <algorithm>
#include <cmath>

namespace clonal {

ResultTable with_adjusted_p(const ResultTable& table, const std::vector<std::string>& p_columns,
                            PAdjustment adjustment) {
    if (adjustment == PAdjustment::kNone) {
        return table;
    }
    const std::vector<std::string>& columns = table.columns();
    std::vector<std::vector<double>> corrected(columns.size());
    std::vector<std::string> header;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        header.push_back(columns[c]);
        if (std::find(p_columns.begin(), p_columns.end(), columns[c]) == p_columns.end()) {
            continue;
        }
        header.push_back(columns[c] + "_adjusted");
        std::vector<double> values;
        for (const auto& row : table.rows()) {
            const auto* value = std::get_if<double>(&row[c]);
            values.push_back(value != nullptr ? *value : NAN);
        }
        corrected[c] = adjusted_p_values(values, adjustment);
    }
    ResultTable result;
    result.header(header);
    for (std::size_t r = 0; r < table.rows().size(); ++r) {
        const auto& row = table.rows()[r];
        for (std::size_t c = 0; c < columns.size(); ++c) {
            result.cell(row[c]);
            if (!corrected[c].empty()) {
                if (std::isnan(corrected[c][r])) {
                    result.missing();
                } else {
                    result.real(corrected[c][r]);
                }
            }
        }
        result.end_row();
    }
    return result;
}

}  // namespace clonal
