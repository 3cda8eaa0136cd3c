// A table of results held whole, so that one table feeds every face that shows it: the commands
// write it as TSV, the reports as an HTML table, with the same columns and values.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace clonal {

class ResultTable {
  public:
    // Empty: a missing value (NA).
    using Cell = std::variant<std::monostate, int64_t, double, std::string>;

    void header(std::initializer_list<std::string_view> columns);
    void header(const std::vector<std::string>& columns);

    // A row is filled cell by cell, as TsvWriter writes one.
    ResultTable& text(std::string_view value);
    ResultTable& integer(int64_t value);
    ResultTable& real(double value);
    ResultTable& missing();
    // A cell as another table holds it.
    ResultTable& cell(const Cell& value);
    // Ends the row, which must have a cell for every column.
    void end_row();

    const std::vector<std::string>& columns() const { return columns_; }
    const std::vector<std::vector<Cell>>& rows() const { return rows_; }

  private:
    std::vector<std::string> columns_;
    std::vector<std::vector<Cell>> rows_;
    std::vector<Cell> row_;
};

// The table as TSV, exactly as TsvWriter writes it cell by cell. Stops once the stream failed.
void write_tsv(const ResultTable& table, std::ostream& out);

}  // namespace clonal
