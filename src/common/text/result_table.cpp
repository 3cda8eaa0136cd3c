// Tables of results and their TSV form.
#include "common/text/result_table.hpp"

#include <type_traits>

#include "common/core/bug_check.hpp"
#include "common/text/tsv_writer.hpp"

namespace clonal {

void ResultTable::header(std::initializer_list<std::string_view> columns) {
    columns_.assign(columns.begin(), columns.end());
    row_.reserve(columns_.size());
}

void ResultTable::header(const std::vector<std::string>& columns) {
    columns_ = columns;
    row_.reserve(columns_.size());
}

ResultTable& ResultTable::text(std::string_view value) {
    row_.emplace_back(std::string(value));
    return *this;
}

ResultTable& ResultTable::integer(int64_t value) {
    row_.emplace_back(value);
    return *this;
}

ResultTable& ResultTable::real(double value) {
    row_.emplace_back(value);
    return *this;
}

ResultTable& ResultTable::cell(const Cell& value) {
    row_.push_back(value);
    return *this;
}

ResultTable& ResultTable::missing() {
    row_.emplace_back(std::monostate{});
    return *this;
}

void ResultTable::end_row() {
    CLONAL_BUG_CHECK(row_.size() == columns_.size());
    rows_.push_back(std::move(row_));
    // Each row takes its room once instead of growing cell by cell: wide tables (a column per
    // population) would otherwise spend their time reallocating.
    row_ = {};
    row_.reserve(columns_.size());
}

void write_tsv(const ResultTable& table, std::ostream& out) {
    TsvWriter tsv(out);
    for (const std::string& column : table.columns()) {
        tsv.text(column);
    }
    tsv.end_row();
    for (const auto& row : table.rows()) {
        for (const ResultTable::Cell& cell : row) {
            std::visit(
                [&](const auto& value) {
                    using V = std::decay_t<decltype(value)>;
                    if constexpr (std::is_same_v<V, std::monostate>) {
                        tsv.missing();
                    } else if constexpr (std::is_same_v<V, int64_t>) {
                        tsv.integer(value);
                    } else if constexpr (std::is_same_v<V, double>) {
                        tsv.real(value);
                    } else {
                        tsv.text(value);
                    }
                },
                cell);
        }
        tsv.end_row();
        if (!out.good()) {
            return;
        }
    }
}

}  // namespace clonal
