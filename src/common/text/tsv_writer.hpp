// Tab-separated tables for scripts: one header line, one row per item, no padding. Reals are
// written in the shortest form that reads back as the same double, zero without a sign, and a
// value that does not exist (not a number, or an infinity from a quotient by zero) as NA, so that
// R and Python read back what was computed and never meet -0 or Inf.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "common/text/buffered_text.hpp"

namespace clonal {

class TsvWriter {
  public:
    explicit TsvWriter(std::ostream& out) : text_(out) {}

    void header(std::initializer_list<std::string_view> columns);

    // Text is written as it is, but for tabs and line ends, which would break the table and
    // become blanks.
    TsvWriter& text(std::string_view value);
    TsvWriter& integer(int64_t value);
    TsvWriter& real(double value);
    TsvWriter& missing();  // NA
    void end_row();

    // Whole rows formatted by the caller (cells as text() writes them, each row ending in a line
    // end), appended as they are: for tables of millions of rows.
    void rows(std::string_view formatted);

    // A cell's text as text() writes it.
    static std::string cell_text(std::string_view value);

    // Makes everything reach the stream; false when a write to it has failed.
    bool flush();

  private:
    void separate();

    BufferedText text_;
    bool row_started_ = false;
};

// The shortest decimal text that reads back as value; 0 and NA as above.
std::string shortest_real(double value);

// A distance for a reader: a whole number as its digits (also beyond six of them), any other in
// shortest round-trip form.
std::string distance_text(double value);

}  // namespace clonal
